/* The Save Info report. Not written yet: the command does nothing. */
#include "report.h"

void SaveInfoReport(HWND)
{
}
