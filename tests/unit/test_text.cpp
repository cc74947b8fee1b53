// Localised texts in both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <string.h>
#include <string>
#include <windows.h>
#include "text.h"
#include "resource.h"
#include "version.h"
#include "saved_state.h"

namespace {

// Catches a missing or mis-numbered string in either language, the offset
// not being added, and a lookup that does not use the one shared buffer.
TEST(LocalisedText, EnglishStringsLoad)
{
    SavedState keep;
    AppInstance = GetModuleHandleA(NULL);
    LanguageOffset = LANG_OFFSET_ENGLISH;

    EXPECT_STREQ("Not tested", LoadText(IDS_STATUS_NOT_TESTED));
    EXPECT_STREQ("Overlay supported (S3 Type)", LoadText(IDS_STATUS_S3));
    EXPECT_STREQ("Set resolution to 800x600 or higher", LoadText(IDS_STATUS_LOW_RES));

    const char *first = LoadText(IDS_STATUS_NOT_TESTED);
    const char *second = LoadText(IDS_STATUS_UNSUPPORTED);
    EXPECT_EQ(first, second);
    EXPECT_STREQ("Overlay not supported", first);

    const UINT ids[] = { 501, 502, 503, 504, 505, 506, 511, 512, 513, 514 };
    for (UINT offset : { 0u, (UINT)LANG_OFFSET_ENGLISH }) {
        LanguageOffset = offset;
        for (UINT id : ids) {
            SCOPED_TRACE(std::to_string(id + offset));
            EXPECT_STRNE("", LoadText(id));
        }
    }

    // An id without a string gives an empty text, not the previous one.
    LanguageOffset = LANG_OFFSET_ENGLISH;
    LoadText(IDS_STATUS_NOT_TESTED);
    EXPECT_STREQ("", LoadText(599));
}

// Catches a second conversion or a stray percent sign in the About format,
// a version that differs from the version record's, and the notice not
// being two lines after an empty one.
TEST(LocalisedText, AboutFormatTakesTheVersion)
{
    SavedState keep;
    AppInstance = GetModuleHandleA(NULL);
    for (UINT offset : { 0u, (UINT)LANG_OFFSET_ENGLISH }) {
        SCOPED_TRACE(offset);
        LanguageOffset = offset;
        std::string format = LoadText(IDS_ABOUT);
        ASSERT_EQ(1, (int)std::count(format.begin(), format.end(), '%'));
        ASSERT_NE(std::string::npos, format.find("%s"));

        char text[TEXT_BUFFER_SIZE + 16];
        wsprintfA(text, format.c_str(), VURODOZ_VERSION);
        const std::string head = std::string("VurOdoz Version ") + VURODOZ_VERSION + "\n\n";
        std::string about = text;
        ASSERT_EQ(0u, about.compare(0, head.size(), head)) << about;
        std::string notice = about.substr(head.size());
        size_t feed = notice.find('\n');
        ASSERT_NE(std::string::npos, feed) << "the notice is one line";
        EXPECT_GT(feed, 0u);
        EXPECT_LT(feed + 1, notice.size());
        EXPECT_EQ(std::string::npos, notice.find('\n', feed + 1)) << "the notice has more than two lines";
    }
}

}  // namespace
