#include "common/ByteSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/CLineTokenizer.h"

namespace {

size_t NaiveFind(const std::string& text, size_t from, size_t end, char c)
{
    for (size_t i = from; i < end; ++i)
        if (text[i] == c)
            return i;
    return end;
}

size_t NaiveSkip(const std::string& text, size_t from, size_t end, char c)
{
    for (size_t i = from; i < end; ++i)
        if (text[i] != c)
            return i;
    return end;
}

}  // namespace

TEST(ByteSearch, FindsAndSkipsAsAByteLoopDoesAtEveryLengthAndPlace)
{
    // Every length across the 8- and 16-byte steps, every start and end, the
    // byte at every place or nowhere, and bytes above 127 around it.
    for (size_t size = 0; size <= 40; ++size) {
        for (size_t place = 0; place <= size; ++place) {
            std::string text(size, ' ');
            std::string other(size, '\xe9');
            if (place < size) {
                text[place] = 'x';
                other[place] = ' ';
            }
            for (size_t from = 0; from <= size; ++from) {
                for (size_t end = from; end <= size; end += (end < from + 18 ? 1 : 7)) {
                    ASSERT_EQ(FindByte(text.data(), from, end, 'x'), NaiveFind(text, from, end, 'x'))
                        << size << " " << place << " " << from << " " << end;
                    ASSERT_EQ(SkipByte(text.data(), from, end, ' '), NaiveSkip(text, from, end, ' '))
                        << size << " " << place << " " << from << " " << end;
                    ASSERT_EQ(FindByte(other.data(), from, end, ' '), NaiveFind(other, from, end, ' '));
                    ASSERT_EQ(SkipByte(other.data(), from, end, '\xe9'), NaiveSkip(other, from, end, '\xe9'));
                }
            }
        }
    }
    // Random texts of few byte values, so that hits come in runs.
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 90, ' ');
        for (char& c : text)
            c = "  \n\x80x"[random() % 5];
        size_t from = text.empty() ? 0 : random() % text.size();
        for (char c : {' ', '\n', 'x', '\x80'}) {
            ASSERT_EQ(FindByte(text.data(), from, text.size(), c), NaiveFind(text, from, text.size(), c));
            ASSERT_EQ(SkipByte(text.data(), from, text.size(), c), NaiveSkip(text, from, text.size(), c));
        }
    }
    EXPECT_EQ(FindByte(nullptr, 0, 0, 'x'), 0u) << "an empty range reads nothing";
    EXPECT_EQ(SkipByte(nullptr, 0, 0, 'x'), 0u);
}

TEST(ByteSearch, TheTokenizerCutsLongPaddedLinesAsWithSeveralDelimiters)
{
    // The one-delimiter path searches by words; with two delimiters that
    // never differ in the text, the tokenizer reads byte by byte.
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        size_t parts = random() % 5;
        for (size_t p = 0; p < parts; ++p) {
            line.append(random() % 30, ' ');
            line.append(1 + random() % 25, "ab\tc{}-"[random() % 7]);
        }
        line.append(random() % 20, ' ');
        CLineTokenizer fast(line, " ");
        CLineTokenizer slow(line, " \x01");
        std::string_view a;
        std::string_view b;
        for (;;) {
            ASSERT_EQ(fast.Rest(), slow.Rest()) << line;
            bool more = fast.NextToken(a);
            ASSERT_EQ(more, slow.NextToken(b)) << line;
            ASSERT_EQ(a, b) << line;
            if (!more)
                break;
        }
    }
}

TEST(ByteSearch, PlainAsciiIsFoundAsSuchAndOneHighByteAnywhereIsNot)
{
    for (size_t size = 0; size <= 40; ++size) {
        std::string text(size, 'a');
        if (size > 0)
            text[size / 2] = '\0';  // a NUL is ASCII too
        EXPECT_TRUE(IsAscii(text.data(), text.size())) << size;
        for (size_t place = 0; place < size; ++place) {
            std::string high = text;
            high[place] = '\x80';
            ASSERT_FALSE(IsAscii(high.data(), high.size())) << size << " " << place;
            high[place] = '\xff';
            ASSERT_FALSE(IsAscii(high.data(), high.size())) << size << " " << place;
        }
    }
    EXPECT_TRUE(IsAscii(nullptr, 0));
}
