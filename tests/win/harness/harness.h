#pragma once
// Everything an end-to-end test of Tavrin.exe needs under Wine.
#include "harness/browser_log.h"
#include "harness/program_folder.h"
#include "harness/screenshot.h"
#include "harness/settings_file.h"
#include "harness/tavrin_process.h"
#include "harness/wait.h"
#include "harness/wide_text.h"
#include "harness/window_driver.h"
