// Ids of the string table, shared by zorpurge.rc and the code.
#pragma once

#define IDS_TITLE 1
#define IDS_CONFIRM 2
#define IDS_RESTART 3
