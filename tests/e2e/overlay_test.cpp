// The Overlay Test command end to end over the scripted double
// (tests/ddraw) standing in for a display driver with an overlay. Over
// Wine's own DirectDraw it runs with the system languages.
#include "overlay.h"
#include "program.h"

#include <algorithm>

using namespace e2e;

static const wchar_t kS3[] = L"Overlay supported (S3 Type)";
static const wchar_t kRiva[] = L"Overlay supported (RIVA Type)";
static const wchar_t kNo[] = L"Overlay not supported";

static bool Has(const std::string &log, const std::string &what) { return log.find(what) != std::string::npos; }

// Every run, on every path, ends with nothing of the double alive and the
// library unloaded again, and never calls USER or GDI while a surface is
// locked (the double logs such a call at the Unlock).
static void ExpectAllReleased(const std::string &log)
{
    EXPECT_EQ(0u, log.find("load\r\n")) << log;
    EXPECT_EQ(log.size() - 15, log.rfind("unload live=0\r\n")) << log;
    EXPECT_FALSE(Has(log, "called under a lock")) << log;
}

// Catches a wrong format order or verdict, a question too many or too few,
// capabilities not checked, a busy wait too short or unbounded, a wrong
// colour key, no fallback without keying, records of the wrong size, and a
// surface or the library left held on any path.
TEST_F(Program, OverlayFormatSequenceThroughTheDouble)
{
    enum { DOUBLE, NO_CREATE, NO_DLL };
    const struct { const char *script; int dll; const char *answers; const wchar_t *status;
                   const char *has; const char *lacks; } cases[] = {
        {"", DOUBLE, "N", kNo,
         "DirectDrawCreate guid=0 outer=0 -> 0|GetCaps size=364 hel=0 -> 0|"
         "SetCooperativeLevel window=WC:VKTEST flags=8 -> 0|"
         "CreateSurface PRIMARY size=108 flags=1 caps=200 w=0 h=0 pf=0,0,0,0,0,0,0,0 outer=0 -> 0|"
         "CreateSurface YUY2 size=108 flags=1007 caps=80 w=720 h=576 pf=32,4,32595559,0,0,0,0,0 outer=0 -> 0|"
         "Lock overlay rect=0 size=108 flags=0 event=0 -> 0|SetColorKey primary flags=4 low=ff00ff high=ff00ff|"
         "flags=4400 fx=0 locked=0 -> 0|flags=200 fx=0 locked=0 -> 0|Unlock overlay locked=1 same=1",
         "CreateSurface RGB565"},
        {"", DOUBLE, "YY", kS3, "CreateSurface RGB565 size=108 flags=1007 caps=80 w=720 h=576 "
         "pf=32,40,0,16,f800,7e0,1f,0 outer=0 -> 0", "CreateSurface UYVY"},
        {"", DOUBLE, "YNY", kRiva, "CreateSurface UYVY size=108 flags=1007 caps=80 w=720 h=576 "
         "pf=32,4,59565955,0,0,0,0,0 outer=0 -> 0", nullptr},
        {"fail CreateSurface.RGB565\n", DOUBLE, "YY", kRiva, "CreateSurface UYVY", nullptr},
        {"", DOUBLE, "YNN", kNo, "CreateSurface UYVY", nullptr},
        {"caps 400000 1000\n", DOUBLE, "", kNo, "GetCaps", "CreateSurface"},
        {"caps 800 1000\n", DOUBLE, "", kNo, "GetCaps", "CreateSurface"},
        {"caps 400800 1001\n", DOUBLE, "", kNo, "GetCaps", "CreateSurface"},
        {"fail DirectDrawCreate\n", DOUBLE, "", kNo, "DirectDrawCreate", "GetCaps"},
        {"", NO_CREATE, "", kNo, "load", "Release"},
        {"", NO_DLL, "", kNo, nullptr, nullptr},
        {"busy overlay 900\n", DOUBLE, "N", kNo, nullptr, nullptr},
        {"busy overlay 1100\n", DOUBLE, "", kNo, "CreateSurface YUY2", "Lock overlay"},
        {"busy primary 1100\n", DOUBLE, "", kNo, "CreateSurface YUY2", "Lock primary"},
        {"fail UpdateOverlay.4400\n", DOUBLE, "N", kNo, "flags=4400 fx=0 locked=0 -> 80004005|"
         "flags=4000 fx=0 locked=0 -> 0", nullptr},
        {"fail UpdateOverlay\n", DOUBLE, "", kNo, "flags=4000 fx=0 locked=0 -> 80004005", "flags=200"},
        {"fail SetColorKey\n", DOUBLE, "", kNo, "SetColorKey", "UpdateOverlay"},
        {"fail Lock\n", DOUBLE, "", kNo, "Lock primary", "UpdateOverlay"},
        {"primary 16 F800 7E0 1F\n", DOUBLE, "N", kNo, "low=f81f high=f81f", nullptr},
        {"primary 15 7C00 3E0 1F\n", DOUBLE, "N", kNo, "low=7c1f high=7c1f", nullptr},
        {"primary 24 FF0000 FF00 FF\n", DOUBLE, "N", kNo, "low=ff00ff high=ff00ff", nullptr},
        {"primary 16 F00 F0 F\n", DOUBLE, "", kNo, "Unlock overlay", "SetColorKey"},
        {"primary 4 0 0 0\n", DOUBLE, "", kNo, "Unlock overlay", "SetColorKey"},
        {"primary 8 0 0 0\n", DOUBLE, "", kNo, "Unlock overlay", "SetColorKey"},  // no palette on Wine
    };
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.script) + " answers " + c.answers);
        ASSERT_TRUE(PutFakeDdraw(dir_, c.script, c.dll != NO_CREATE));
        if (c.dll == NO_DLL)
            DeleteFileW((dir_ + L"\\ddraw.dll").c_str());
        OverlayRun run = RunOverlayTest(app_, dialog, c.answers);
        EXPECT_EQ((int)strlen(c.answers), run.questions);
        EXPECT_EQ(c.status, run.status);
        std::string log = FakeDdrawLog(dir_), has = c.has ? c.has : "";
        if (c.dll == NO_DLL) {
            EXPECT_EQ("", log);
            continue;
        }
        ExpectAllReleased(log);
        for (size_t at = 0, bar; !has.empty() && at <= has.size(); at = bar + 1) {
            bar = std::min(has.find('|', at), has.size());
            EXPECT_TRUE(Has(log, has.substr(at, bar - at))) << has.substr(at, bar - at) << "\n" << log;
        }
        EXPECT_FALSE(c.lacks && Has(log, c.lacks)) << log;
    }
    CloseWithButton(dialog, IDOK);
}

// The bars in each format in the middle of each bar on the first and last
// line, and the rectangles given to UpdateOverlay. Catches a picture upside
// down, a wrong byte order or converter, writes past a line's pixels, and
// rectangles not clipped to the primary or clipped when wholly off it.
TEST_F(Program, OverlayMemoryAndRectanglesThroughTheDouble)
{
    static const int Y[8] = {254, 225, 178, 149, 105, 76, 29, 0}, U[8] = {128, 0, 172, 43, 214, 85, 255, 128},
                     V[8] = {128, 149, 0, 20, 236, 255, 107, 128},
                     Rgb[8] = {0xFFFF, 0xFFE0, 0x07FF, 0x07E0, 0xF81F, 0xF800, 0x001F, 0x0000};
    const int pitch = 1604;
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PutFakeDdraw(dir_, "pitch 1604\nprimary 32 FF0000 FF00 FF 800 600\n"));
    OverlayRun run = RunOverlayTest(app_, dialog, "YNY");
    ASSERT_EQ(3, run.questions);
    for (int n = 1; n <= 3; n++) {  // YUY2, RGB 5-6-5, UYVY
        SCOPED_TRACE(n);
        std::string m = ReadFileBytes(dir_ + L"\\overlay-" + std::to_wstring(n) + L".bin");
        ASSERT_EQ(size_t(pitch * 576), m.size());
        for (int line : {0, 575}) {
            for (int bar = 0; bar < 8; bar++) {
                SCOPED_TRACE(testing::Message() << "line " << line << " bar " << bar);
                const unsigned char *px = (const unsigned char *)m.data() + line * pitch + (44 + 90 * bar) * 2;
                std::vector<int> got = {px[0], px[1], px[2], px[3]};
                if (n == 1) {
                    EXPECT_EQ((std::vector<int>{Y[bar], U[bar], Y[bar], V[bar]}), got);
                } else if (n == 2) {
                    EXPECT_EQ(Rgb[bar], got[2] | got[3] << 8);
                } else {
                    EXPECT_EQ((std::vector<int>{U[bar], Y[bar], V[bar], Y[bar]}), got);
                }
            }
        }
        for (int line = 0; line < 576; line++)
            ASSERT_EQ(std::string(pitch - 1440, '\xA5'), m.substr(line * pitch + 1440, pitch - 1440)) << line;
    }
    // Source and destination have the same size here: the source loses as much as the destination.
    RECT d = run.client;
    ASSERT_TRUE(d.right > 800 && d.bottom > 600);
    char want[3][120];
    sprintf(want[0], "src=0,0,%ld,%ld dest=primary dst=%ld,%ld,800,600 flags=4400", 720 - (d.right - 800),
            576 - (d.bottom - 600), d.left, d.top);
    sprintf(want[1], "src=0,0,720,576 dest=primary dst=%ld,%ld,%ld,%ld flags=200", d.left, d.top, d.right, d.bottom);
    sprintf(want[2], "src=0,0,720,576 dest=primary dst=%ld,%ld,%ld,%ld flags=4400", d.left, d.top, d.right, d.bottom);
    EXPECT_TRUE(Has(FakeDdrawLog(dir_), want[0]) && Has(FakeDdrawLog(dir_), want[1])) << FakeDdrawLog(dir_);
    EXPECT_FALSE(Has(FakeDdrawLog(dir_), "called under a lock")) << FakeDdrawLog(dir_);
    ASSERT_TRUE(PutFakeDdraw(dir_, "primary 32 FF0000 FF00 FF 100 100\n"));
    RunOverlayTest(app_, dialog, "N");
    EXPECT_TRUE(Has(FakeDdrawLog(dir_), want[2])) << want[2] << "\n" << FakeDdrawLog(dir_);
    CloseWithButton(dialog, IDOK);
}

// Catches the loop still waiting for a test window that was closed, a
// verdict made up from an unanswered run, DirectDraw left held after it, a
// window reused between runs, and a dialog that no longer runs the test.
TEST_F(Program, ClosingTheTestWindowEndsTheRunWithoutVerdict)
{
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    HWND first = nullptr;
    for (const char *answers : {"C", "YNC"}) {
        SCOPED_TRACE(answers);
        ASSERT_TRUE(PutFakeDdraw(dir_, ""));
        OverlayRun run = RunOverlayTest(app_, dialog, answers);
        ASSERT_EQ((int)strlen(answers), run.questions);
        EXPECT_EQ(kNotTested, run.status);
        ExpectAllReleased(FakeDdrawLog(dir_));
        EXPECT_NE(first, run.windows[0]);
        first = run.windows[0];
    }
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    EXPECT_EQ(kS3, RunOverlayTest(app_, dialog, "YY").status);
    CloseWithButton(dialog, IDOK);
}

// A full queue refuses a post, and a log-off can come while a question is
// open. Catches a test window left without its questions when the start
// post is lost, or left open after the last answer when the completion post
// is, and DirectDraw still held when the session ends.
TEST_F(Program, OverlayTestWithoutItsPostsAndAtTheSessionsEnd)
{
    Options options;
    options.nativeDdraw = true;
    options.faults = "PostMessageA 1 1 52C\nPostMessageA 2 2 52D\n";
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    OverlayRun run = RunOverlayTest(app_, dialog, "YY");
    EXPECT_EQ(2, run.questions) << "no questions without the start post";
    EXPECT_EQ(kS3, run.status);
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    run = RunOverlayTest(app_, dialog, "N");
    EXPECT_EQ(1, run.questions);
    EXPECT_EQ(kNo, run.status) << "no end without the completion post";
    ExpectAllReleased(FakeDdrawLog(dir_));
    std::string faults = FaultLog(dir_);
    EXPECT_TRUE(Has(faults, "PostMessageA 1 failed") && Has(faults, "PostMessageA 2 failed")) << faults;

    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    ASSERT_TRUE(Press(dialog, IDC_OVERLAY_TEST));
    ASSERT_TRUE(app_.WaitMessageBox());
    HANDLE logOff = StartEndSession();
    ASSERT_TRUE(logOff);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(logOff, 30000));
    CloseHandle(logOff);
    ExpectExitCode(0);
    std::string log = FakeDdrawLog(dir_);
    EXPECT_TRUE(Has(log, "Release overlay refs=0\r\nRelease primary refs=0\r\nRelease ddraw refs=0\r\nunload live=0"))
        << log;
}
