#pragma once
// The shared records and utility routines in one include.

#include "core/fileversion.h"
#include "core/paths.h"
#include "core/powers.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"
#include "core/types.h"
