// The report's rows with any machine texts, and a rate from any pass time:
// a row stays in its buffer and keeps its line end; a rate's text fits its
// field; a bar's bands never reach past its frame.
#include "report.h"
#include "diskdisplay.h"
#include "diskengine.h"

#include <stdlib.h>
#include <string>

static std::string Row(const char *format, ...)
{
    char row[REPORT_ROW_SIZE + 1];
    va_list args;

    row[REPORT_ROW_SIZE] = '#';
    va_start(args, format);
    FormatReportRow(row, format, args);
    va_end(args);
    if (row[REPORT_ROW_SIZE] != '#' || strlen(row) >= REPORT_ROW_SIZE)
        abort();
    return row;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    DWORD ms[2] = {0, 0};
    int bands[3];
    char text[RATE_TEXT_SIZE + 1];

    if (size < sizeof ms)
        return 0;
    memcpy(ms, data, sizeof ms);
    std::string field((const char *)data + sizeof ms, size - sizeof ms);
    field = field.substr(0, field.find('\0'));
    std::string rows = Row("Windows:            %s\r\n", field.c_str())
        + Row("Computer:           %s %dMBytes\r\n", field.c_str(), (int)ms[0]) + Row("%s\r\n\r\n", field.c_str());
    if (rows.size() < 6 || rows.compare(rows.size() - 2, 2, "\r\n") != 0)
        abort();

    double rate[2];
    for (int i = 0; i < 2; i++) {
        rate[i] = ms[i] == 0 ? 0.0 : RateFromElapsed(ms[i]);
        text[RATE_TEXT_SIZE] = '#';
        FormatRateText(text, rate[i]);
        if (text[RATE_TEXT_SIZE] != '#' || strlen(text) >= RATE_TEXT_SIZE)
            abort();
    }
    double scale = BarScale(rate[0], rate[1]), width = data[0] * 4.0;
    for (int i = 0; i < 2; i++) {
        BarBandWidths(width, scale, rate[i], bands);
        if (bands[0] < 0 || bands[1] < 0 || bands[2] < 0 || bands[0] + bands[1] + bands[2] > width)
            abort();
    }
    return 0;
}
