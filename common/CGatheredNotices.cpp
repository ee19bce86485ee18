#include "common/CGatheredNotices.h"

#include <algorithm>
#include <set>

namespace {

std::set<std::string>& ToldNotices()
{
    static std::set<std::string> told;
    return told;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string RestAfterFirstLine(const std::string& text)
{
    size_t end = text.find('\n');
    return end == std::string::npos ? std::string() : text.substr(end + 1);
}

}  // namespace

CGatheredNotices::CGatheredNotices()
{
    m_previous = SetNoticeSink([this](const std::string& text, NoticeKind kind) {
        if (ToldNotices().count(text) ||
            std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end())
            return;
        m_texts.push_back(text);
        m_error = m_error || kind == NoticeKind::Error;
    });
}

CGatheredNotices::~CGatheredNotices()
{
    SetNoticeSink(m_previous);
    if (m_texts.empty())
        return;
    ToldNotices().insert(m_texts.begin(), m_texts.end());
    ShowNotice(GatheredNoticeText(m_texts), m_error ? NoticeKind::Error : NoticeKind::Plain);
}

void CGatheredNotices::ForgetToldNotices() { ToldNotices().clear(); }

std::string GatheredNoticeText(const std::vector<std::string>& notices, size_t shown)
{
    if (notices.size() == 1)
        return notices.front();
    std::string common = notices.empty() ? std::string() : RestAfterFirstLine(notices.front());
    for (const std::string& notice : notices)
        if (RestAfterFirstLine(notice) != common)
            common.clear();
    std::string text = "Reading the boot configuration gave " + std::to_string(notices.size()) + " notices:\n";
    for (size_t i = 0; i < notices.size() && i < shown; ++i)
        text += "\n" + FirstLine(notices[i]);
    if (notices.size() > shown)
        text += "\n... and " + std::to_string(notices.size() - shown) + " more.";
    if (!common.empty())
        text += "\n\n" + common;
    return text;
}
