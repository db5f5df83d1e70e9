#pragma once

// The build the editor stand-in is: an editor build in the development configuration, with
// automation tests compiled in.
#define UE_BUILD_DEBUG 0
#define UE_BUILD_DEVELOPMENT 1
#define UE_BUILD_TEST 0
#define UE_BUILD_SHIPPING 0
#define WITH_AUTOMATION_TESTS 1
#define WITH_DEV_AUTOMATION_TESTS 1
