/* The rates and what they look like, apart from the painting: a rate from
   a pass's time, its text, the bars' common scale and a bar's bands. */
#include "diskdisplay.h"
#include "diskengine.h"
#include "textfmt.h"

#define RATE_STEP       10240.0
#define RED_BAND_RATE   4608.0
#define YELLOW_BAND_RATE 2560.0

double RateFromElapsed(DWORD ms)
{
    return ((double)SMALL_FILE_SIZE / ms) * 0.9765625;
}

void RatesOfTest(DWORD readMs, DWORD writeMs, double *readRate, double *writeRate)
{
    /* A pass too fast for the tick to time leaves no rate to show. */
    int measured = readMs != 0 && writeMs != 0;

    *readRate = measured ? RateFromElapsed(readMs) : 0.0;
    *writeRate = measured ? RateFromElapsed(writeMs) : 0.0;
}

double BarScale(double a, double b)
{
    double m = a > b ? a : b;
    double step = 1.0 / RATE_STEP;

    /* Truncation is floor for a rate, which is never negative; floor itself
       would be a call into the C runtime when not inlined. */
    return ((DWORD)(m * step) + 1.0) * RATE_STEP;
}

void FormatRateText(char *text, double rate)
{
    if (rate == 0.0)
        FormatBounded(text, RATE_TEXT_SIZE, "Not tested");
    else if (rate < RATE_STEP)
        FormatBounded(text, RATE_TEXT_SIZE, "%4dKB/S", (int)rate);
    else
        FormatBounded(text, RATE_TEXT_SIZE, "%4dMB/S", (int)(rate * 0.0009765625));
}

/* Each band is cut to whole pixels on its own; the band limits are rates,
   the scale only says how many pixels a rate takes. */
void BarBandWidths(double width, double scale, double rate, int bands[3])
{
    double red = rate < RED_BAND_RATE ? rate : RED_BAND_RATE;
    double rest = rate >= RED_BAND_RATE ? rate - RED_BAND_RATE : 0.0;
    double yellow = rest < YELLOW_BAND_RATE ? rest : YELLOW_BAND_RATE;

    bands[0] = (int)(width * red / scale);
    bands[1] = rest == 0.0 ? 0 : (int)(width * yellow / scale);
    rest = rest >= YELLOW_BAND_RATE ? rest - YELLOW_BAND_RATE : 0.0;
    bands[2] = rest == 0.0 ? 0 : (int)(width * rest / scale);
}
