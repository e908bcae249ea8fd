// AAX_Version.h: the interface revision this library implements and the revision markers clients test.
#pragma once

// Revision markers of the interface releases, in increasing order. Clients
// compare AAX_SDK_CURRENT_REVISION against them to enable features.
#define AAX_SDK_2p3p0_REVISION 0x00C90000
#define AAX_SDK_2p3p1_REVISION 0x00C96000
#define AAX_SDK_2p4p0_REVISION 0x00CA0000

// This library implements interface version 2.3 at this revision; the module
// reports both through ACFGetSDKVersion (version in the upper 32 bits).
#define AAX_SDK_VERSION          0x00000203
#define AAX_SDK_CURRENT_REVISION 0x00C96BF5

static_assert (AAX_SDK_2p3p0_REVISION <= AAX_SDK_CURRENT_REVISION
                   && AAX_SDK_2p3p1_REVISION <= AAX_SDK_CURRENT_REVISION
                   && AAX_SDK_CURRENT_REVISION < AAX_SDK_2p4p0_REVISION,
               "the library implements a 2.3 revision");
