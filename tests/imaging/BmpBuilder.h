// The BMP builder lives with the other readers' builders.
#pragma once

#include "ReaderFileBuilders.h"
