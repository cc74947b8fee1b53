/* The Save Info report. */
#ifndef VURODOZ_REPORT_H
#define VURODOZ_REPORT_H

#include <windows.h>
#include <stdarg.h>

#define REPORT_ROW_SIZE 260

void SaveInfoReport(HWND dialog);

/* Formats one row into REPORT_ROW_SIZE bytes; a longer row is cut and
   still ends in CR LF. */
void FormatReportRow(char *row, const char *format, va_list args);
/* Writes one row; FALSE when the file took less than the whole row. */
BOOL WriteReportLine(HANDLE file, const char *format, ...);

#endif
