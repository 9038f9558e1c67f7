#pragma once
// The Windows headers as the platform layer uses them.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

// app::IDialogs has a member named MessageBox; the ANSI/wide switch macro would rename it here.
#undef MessageBox
