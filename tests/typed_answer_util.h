// The typed-answer helpers now live with the other text test helpers.
#pragma once
#include "text_test_helpers.h"
