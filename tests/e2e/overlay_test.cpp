// The Overlay Test command end to end: Wine's own DirectDraw, and the
// scripted DirectDraw double standing in for a display driver with an
// overlay, beside the program as ddraw.dll.
#include "overlay.h"
#include "program.h"

using namespace e2e;

static const wchar_t kS3[] = L"Overlay supported (S3 Type)";
static const wchar_t kRiva[] = L"Overlay supported (RIVA Type)";
static const wchar_t kNo[] = L"Overlay not supported";

static bool Has(const std::string &log, const char *what) { return log.find(what) != std::string::npos; }

// Every run, on every path, must end with nothing of the double alive and
// the library unloaded again.
static void ExpectAllReleased(const std::string &log)
{
    const char tail[] = "unload live=0\r\n";
    EXPECT_EQ(0u, log.find("load\r\n")) << log;
    EXPECT_TRUE(log.size() >= sizeof tail - 1 && log.compare(log.size() - (sizeof tail - 1), std::string::npos, tail) == 0) << log;
    EXPECT_FALSE(Has(log, "exit live")) << log;
}

// Catches the wrong real result on Wine, a question asked without an
// overlay, and Wine's ddraw being left loaded or crashing the run.
TEST_F(Program, OverlayTestOnWinesDirectDrawIsNotSupported)
{
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    OverlayRun run = RunOverlayTest(app_, dialog, "");
    EXPECT_EQ(0, run.questions);
    EXPECT_EQ(kNo, run.status);
    CloseWithButton(dialog, IDOK);
}

// Catches a wrong format order or verdict, a question too many or too few,
// capabilities not checked, the busy wait too short or unbounded, a wrong
// colour key, no fallback without keying, records of the wrong size, a
// surface or the library left held on any path.
TEST_F(Program, OverlayFormatSequenceThroughTheDouble)
{
    enum { DOUBLE, NO_CREATE, NO_DLL };
    struct Case { const char *script; int dll; const char *answers; int questions; const wchar_t *status;
                  const char *has; const char *lacks; } cases[] = {
        {"", DOUBLE, "N", 1, kNo,
         "DirectDrawCreate guid=0 outer=0 -> 0|GetCaps size=364 hel=0 -> 0|"
         "SetCooperativeLevel window=WC:VKTEST flags=8 -> 0|"
         "CreateSurface PRIMARY size=108 flags=1 caps=200 w=0 h=0 pf=0,0,0,0,0,0,0,0 outer=0 -> 0|"
         "CreateSurface YUY2 size=108 flags=1007 caps=80 w=720 h=576 pf=32,4,32595559,0,0,0,0,0 outer=0 -> 0|"
         "Lock overlay rect=0 size=108 flags=0 event=0|SetColorKey primary flags=4 low=ff00ff high=ff00ff -> 0|"
         "flags=4400 fx=0 locked=0 -> 0|flags=200 fx=0 locked=0 -> 0|Unlock overlay locked=1 same=1",
         "CreateSurface RGB565"},
        {"", DOUBLE, "YY", 2, kS3,
         "CreateSurface RGB565 size=108 flags=1007 caps=80 w=720 h=576 pf=32,40,0,16,f800,7e0,1f,0 outer=0 -> 0",
         "CreateSurface UYVY"},
        {"", DOUBLE, "YNY", 3, kRiva,
         "CreateSurface UYVY size=108 flags=1007 caps=80 w=720 h=576 pf=32,4,59565955,0,0,0,0,0 outer=0 -> 0", nullptr},
        {"fail CreateSurface.RGB565\n", DOUBLE, "YY", 2, kRiva, "CreateSurface UYVY", nullptr},
        {"", DOUBLE, "YNN", 3, kNo, "CreateSurface UYVY", nullptr},
        {"caps 400000 1000\n", DOUBLE, "", 0, kNo, "GetCaps", "CreateSurface"},
        {"caps 800 1000\n", DOUBLE, "", 0, kNo, "GetCaps", "CreateSurface"},
        {"caps 400800 1001\n", DOUBLE, "", 0, kNo, "GetCaps", "CreateSurface"},
        {"fail DirectDrawCreate\n", DOUBLE, "", 0, kNo, "DirectDrawCreate", "GetCaps"},
        {"", NO_CREATE, "", 0, kNo, "load", "Release"},
        {"", NO_DLL, "", 0, kNo, nullptr, nullptr},
        {"busy overlay 900\n", DOUBLE, "N", 1, kNo, nullptr, nullptr},
        {"busy overlay 1100\n", DOUBLE, "", 0, kNo, "CreateSurface YUY2", "Lock overlay"},
        {"busy primary 1100\n", DOUBLE, "", 0, kNo, "CreateSurface YUY2", "Lock primary"},
        {"fail UpdateOverlay.4400\n", DOUBLE, "N", 1, kNo, "flags=4400 fx=0 locked=0 -> 80004005|flags=4000 fx=0 locked=0 -> 0", nullptr},
        {"fail UpdateOverlay\n", DOUBLE, "", 0, kNo, "flags=4000 fx=0 locked=0 -> 80004005", "flags=200"},
        {"fail SetColorKey\n", DOUBLE, "", 0, kNo, "SetColorKey", "UpdateOverlay"},
        {"fail Lock\n", DOUBLE, "", 0, kNo, "Lock primary", "UpdateOverlay"},
        {"primary 16 F800 7E0 1F\n", DOUBLE, "N", 1, kNo, "low=f81f high=f81f", nullptr},
        {"primary 15 7C00 3E0 1F\n", DOUBLE, "N", 1, kNo, "low=7c1f high=7c1f", nullptr},
        {"primary 24 FF0000 FF00 FF\n", DOUBLE, "N", 1, kNo, "low=ff00ff high=ff00ff", nullptr},
        {"primary 16 F00 F0 F\n", DOUBLE, "", 0, kNo, "Unlock overlay", "SetColorKey"},
        {"primary 4 0 0 0\n", DOUBLE, "", 0, kNo, "Unlock overlay", "SetColorKey"},
        {"primary 8 0 0 0\n", DOUBLE, "", 0, kNo, "Unlock overlay", "SetColorKey"},  // no palette on Wine
    };
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.script) + " answers " + c.answers);
        ASSERT_TRUE(PutFakeDdraw(dir_, c.script, c.dll != NO_CREATE));
        if (c.dll == NO_DLL)
            DeleteFileW((dir_ + L"\\ddraw.dll").c_str());
        OverlayRun run = RunOverlayTest(app_, dialog, c.answers);
        EXPECT_EQ(c.questions, run.questions);
        EXPECT_EQ(c.status, run.status);
        std::string log = FakeDdrawLog(dir_);
        if (c.dll == NO_DLL) {
            EXPECT_EQ("", log);
            continue;
        }
        ExpectAllReleased(log);
        std::string has = c.has ? c.has : "";
        for (size_t at = 0, bar; at <= has.size() && !has.empty(); at = bar + 1) {
            bar = std::min(has.find('|', at), has.size());
            EXPECT_TRUE(Has(log, has.substr(at, bar - at).c_str())) << has.substr(at, bar - at) << "\n" << log;
        }
        if (c.lacks) {
            EXPECT_FALSE(Has(log, c.lacks)) << log;
        }
    }
    CloseWithButton(dialog, IDOK);
}

// The colour-bar values in each format, in the middle of each bar on the
// first and the last line. Catches a picture upside down, a wrong byte
// order, wrong converter arithmetic, and writes beyond a line's pixels.
TEST_F(Program, OverlayMemoryHoldsTheBarsAtUnlock)
{
    static const int Y[8] = {254, 225, 178, 149, 105, 76, 29, 0}, U[8] = {128, 0, 172, 43, 214, 85, 255, 128},
                     V[8] = {128, 149, 0, 20, 236, 255, 107, 128};
    static const int Rgb[8] = {0xFFFF, 0xFFE0, 0x07FF, 0x07E0, 0xF81F, 0xF800, 0x001F, 0x0000};
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(PutFakeDdraw(dir_, "pitch 1604\n"));
    ASSERT_EQ(3, RunOverlayTest(app_, dialog, "YNY").questions);
    const int pitch = 1604;
    for (int n = 1; n <= 3; n++) {
        SCOPED_TRACE(n);
        std::string m = ReadFileBytes(dir_ + L"\\overlay-" + std::to_wstring(n) + L".bin");
        ASSERT_EQ(size_t(pitch * 576), m.size());
        for (int line : {0, 575}) {
            const unsigned char *p = (const unsigned char *)m.data() + line * pitch;
            for (int bar = 0; bar < 8; bar++) {
                SCOPED_TRACE(testing::Message() << "line " << line << " bar " << bar);
                const unsigned char *px = p + (44 + 90 * bar) * 2;
                std::vector<int> got = {px[0], px[1], px[2], px[3]};
                if (n == 1) {  // YUY2: Y0 U Y1 V
                    EXPECT_EQ((std::vector<int>{Y[bar], U[bar], Y[bar], V[bar]}), got);
                } else if (n == 2) {  // RGB 5-6-5, low byte first
                    EXPECT_EQ(Rgb[bar], got[2] | got[3] << 8);
                } else {  // UYVY: U Y0 V Y1
                    EXPECT_EQ((std::vector<int>{U[bar], Y[bar], V[bar], Y[bar]}), got);
                }
            }
        }
        size_t touched = 0;
        for (int line = 0; line < 576; line++)
            touched += std::count_if(m.begin() + line * pitch + 1440, m.begin() + (line + 1) * pitch,
                                     [](char b) { return (unsigned char)b != 0xA5; });
        EXPECT_EQ(0u, touched) << "bytes between lines were written";
    }
    CloseWithButton(dialog, IDOK);
}

// Catches rectangles not clipped to the primary surface, or clipped when
// the window lies wholly off it.
TEST_F(Program, OverlayRectanglesAreClippedToThePrimary)
{
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    char want[160];
    ASSERT_TRUE(PutFakeDdraw(dir_, "primary 32 FF0000 FF00 FF 800 600\n"));
    OverlayRun run = RunOverlayTest(app_, dialog, "N");
    RECT d = run.client;
    ASSERT_GT(d.right, 800);
    ASSERT_GT(d.bottom, 600);
    // Source and destination have the same size, so the source loses as many pixels.
    sprintf(want, "src=0,0,%ld,%ld dest=primary dst=%ld,%ld,800,600 flags=4400", 720 - (d.right - 800),
            576 - (d.bottom - 600), d.left, d.top);
    EXPECT_TRUE(Has(FakeDdrawLog(dir_), want)) << want << "\n" << FakeDdrawLog(dir_);
    sprintf(want, "src=0,0,720,576 dest=primary dst=%ld,%ld,%ld,%ld flags=200", d.left, d.top, d.right, d.bottom);
    EXPECT_TRUE(Has(FakeDdrawLog(dir_), want)) << want;

    ASSERT_TRUE(PutFakeDdraw(dir_, "primary 32 FF0000 FF00 FF 100 100\n"));
    RunOverlayTest(app_, dialog, "N");
    sprintf(want, "src=0,0,720,576 dest=primary dst=%ld,%ld,%ld,%ld flags=4400", d.left, d.top, d.right, d.bottom);
    EXPECT_TRUE(Has(FakeDdrawLog(dir_), want)) << want << "\n" << FakeDdrawLog(dir_);
    CloseWithButton(dialog, IDOK);
}

// Catches the hang of a loop still waiting for a test window that the user
// closed, a verdict made up from an unanswered run, DirectDraw left held
// after it, and a dialog that no longer runs the test afterwards.
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
        EXPECT_EQ((int)strlen(answers), run.questions);
        EXPECT_EQ(kNotTested, run.status);
        ExpectAllReleased(FakeDdrawLog(dir_));
        if (first && !run.windows.empty()) {
            EXPECT_NE(first, run.windows[0]) << "a run reused the window of the one before";
        }
        first = run.windows.empty() ? nullptr : run.windows[0];
    }
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    EXPECT_EQ(kS3, RunOverlayTest(app_, dialog, "YY").status);
    CloseWithButton(dialog, IDOK);
}
