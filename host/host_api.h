#pragma once

// The plug-in modules are built with hidden visibility so that their private copies of the
// shared core never meet; everything the host package offers them must stay visible.
#define HOST_API __attribute__((visibility("default")))
