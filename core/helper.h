#pragma once
// The shared records and utility routines in one include.

#include "core/checks.h"
#include "core/datetime.h"
#include "core/filetype.h"
#include "core/fileversion.h"
#include "core/hash.h"
#include "core/param.h"
#include "core/paths.h"
#include "core/powers.h"
#include "core/resultcode.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"
#include "core/types.h"
