/* The drive combo box of the main dialog. */
#ifndef VURODOZ_DRIVECOMBO_H
#define VURODOZ_DRIVECOMBO_H

#include <windows.h>
#include "drives.h"

void FillDriveCombo(HWND dialog, const DriveSelectorRecord *selector);

#endif
