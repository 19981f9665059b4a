// Resource ids of the About dialog.
#pragma once

#define IDD_ABOUT 100
#define IDC_ABOUT_LINK 1014
