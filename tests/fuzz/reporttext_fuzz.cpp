// The report's rows with any machine texts, and a rate from any pass time:
// a row stays in its buffer and keeps its line end; a rate's text fits its
// field; a bar's bands never reach past its frame.
#include "report.h"
#include "diskdisplay.h"

#include <stdlib.h>
#include <string.h>
#include <string>

static void Row(const char *format, ...)
{
    char row[REPORT_ROW_SIZE + 1];
    va_list args;

    row[REPORT_ROW_SIZE] = '#';
    va_start(args, format);
    FormatReportRow(row, format, args);
    va_end(args);
    size_t length = strlen(row);
    if (row[REPORT_ROW_SIZE] != '#' || length >= REPORT_ROW_SIZE || length < 2 || strcmp(row + length - 2, "\r\n"))
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    DWORD ms[2];
    double rate[2];
    int bands[3];
    char text[RATE_TEXT_SIZE + 1];

    if (size < sizeof ms)
        return 0;
    memcpy(ms, data, sizeof ms);
    std::string field((const char *)data + sizeof ms, size - sizeof ms);
    Row("Windows:            %s\r\n", field.c_str());
    Row("Computer:           %s %dMBytes\r\n", field.c_str(), (int)ms[0]);

    RatesOfTest(ms[0], ms[1], &rate[0], &rate[1]);
    double scale = BarScale(rate[0], rate[1]), width = data[0] * 4.0;
    for (int i = 0; i < 2; i++) {
        text[RATE_TEXT_SIZE] = '#';
        FormatRateText(text, rate[i]);
        BarBandWidths(width, scale, rate[i], bands);
        if (text[RATE_TEXT_SIZE] != '#' || strlen(text) >= RATE_TEXT_SIZE || bands[0] < 0 || bands[1] < 0
            || bands[2] < 0 || bands[0] + bands[1] + bands[2] > width)
            abort();
    }
    return 0;
}
