#pragma once
#include <string>
#include <vector>

#include "common/UserNotice.h"

// While it lives, notices are gathered instead of shown; when it ends they
// are told as one (a read of the store with 200 lines the program does not
// know gives one box, not 200). A notice already told in this process is
// not told again: a refresh repeats none.
class CGatheredNotices {
public:
    CGatheredNotices();
    ~CGatheredNotices();
    CGatheredNotices(const CGatheredNotices&) = delete;
    CGatheredNotices& operator=(const CGatheredNotices&) = delete;

    // Forgets which notices were told (tests start afresh).
    static void ForgetToldNotices();

private:
    NoticeSink m_previous;
    std::vector<std::string> m_texts;
    bool m_error = false;
};

// The one message for a read's notices: a lone notice as it is; several as
// a list of their first lines (the most `shown`), with their common last
// line once.
std::string GatheredNoticeText(const std::vector<std::string>& notices, size_t shown = 15);
