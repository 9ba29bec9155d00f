// Resource identifiers of the benchmark programs.
#pragma once

#define IDD_BENCH_DIALOG 100
#define IDC_BENCH_FRAME 1017
