// The program's identity and version, in one place: the version resource is built from it
// and the tests compare what the program reads back against it.
#pragma once

#define FRAMORA_VERSION_MAJOR 1
#define FRAMORA_VERSION_MINOR 5
#define FRAMORA_VERSION_RELEASE 0
#define FRAMORA_VERSION_BUILD 0
#define FRAMORA_VERSION_TEXT "1.5.0.0"
#define FRAMORA_SHORT_VERSION_TEXT "1.5"

#define FRAMORA_COMPANY_NAME "Brantlow"
#define FRAMORA_PRODUCT_NAME "Framora"
#define FRAMORA_FILE_DESCRIPTION "Framora"
#define FRAMORA_INTERNAL_NAME "Framora"
#define FRAMORA_ORIGINAL_FILENAME "framora.exe"

// One translation: US English with the Windows Latin-1 code page (0x0409 / 0x04E4).
#define FRAMORA_VERSION_LANGUAGE 0x0409
#define FRAMORA_VERSION_CODEPAGE 0x04E4
#define FRAMORA_VERSION_BLOCK "040904E4"
