// The product's own names on the machine, all derived from its short key name.
#pragma once

const int kPathBufferSize = 260;  // MAX_PATH: the longest path Windows 95 hands out

const char kProductKeyName[] = "ZORTAV";
const char kMakerKeyPath[] = "Software\\ZOR";
const char kMainWindowClass[] = "ZORTAVCLASS";
const char kSelfModuleName[] = "zorpurge.exe";
