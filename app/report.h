/* The Save Info report. */
#ifndef VURODOZ_REPORT_H
#define VURODOZ_REPORT_H

#include <windows.h>
#include <stdarg.h>

#define REPORT_ROW_SIZE 260

/* SaveReportFile's results, which are also the silent run's exit codes. */
#define REPORT_SAVED             0
#define REPORT_NOT_CREATED       2
#define REPORT_WRITE_FAILED      3
/* On Windows 95, 98 and Me the earlier file was deleted and the rename that
   followed failed: the report is whole under the temporary name. */
#define REPORT_KEPT_AS_TEMPORARY 5

/* The rates of the HDD Test that a silent report ran, for its last section. */
struct ReportDiskRates {
    int    Drive;
    double ReadRate;
    double WriteRate;
};

void SaveInfoReport(HWND dialog);

/* Before the HDD Test: REPORT_SAVED where SaveReportFile can make its file
   beside path, REPORT_NOT_CREATED where it cannot. Nothing is left there. */
int  CheckReportPlace(const char *path);

/* Writes the whole report beside path under a name of its own, which goes
   to temp (MAX_PATH bytes), then puts it in path's place; an earlier file
   under path stays until then. Nothing is left behind but in the case of
   REPORT_KEPT_AS_TEMPORARY, the report under temp. With disk, the report
   ends with the HDD Test's section. */
int  SaveReportFile(const char *path, char *temp, const ReportDiskRates *disk);

/* Formats one row into REPORT_ROW_SIZE bytes; a longer row is cut and
   still ends in CR LF. */
void FormatReportRow(char *row, const char *format, va_list args);
/* The folder that holds path (MAX_PATH bytes) into folder (REPORT_FOLDER_SIZE
   bytes); 0 when it is too long for a temporary file's name in it. */
#define REPORT_FOLDER_SIZE (MAX_PATH + 2)
int  ReportFolder(const char *path, char *folder);
/* Writes one row; FALSE when the file took less than the whole row. */
BOOL WriteReportLine(HANDLE file, const char *format, ...);

#endif
