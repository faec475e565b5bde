#pragma once

// The writer lives in core, where the profile's JSON is written too.
#include "util/JsonWriter.h"
