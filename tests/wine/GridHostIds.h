#pragma once
#define IDD_GRID_HOST 200
#define IDC_GRID 1000
#define IDC_EMPTY_GRID 1001
