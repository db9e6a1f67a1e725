#pragma once
// Everything public of the Vael core, in namespace vael.

#include "core/chapter/CaseMapping.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/Collation.h"
#include "core/chapter/CompiledChapter.h"
#include "core/chapter/LetterClasses.h"
#include "core/chapter/PlainList.h"
#include "core/chapter/Statistics.h"
#include "core/chapter/TVaelChapter.h"
#include "core/chapter/TagReader.h"
#include "core/chapter/TextFile.h"
#include "core/files/ReplaceFile.h"
#include "core/generation/Generator.h"
#include "core/screening/Accents.h"
#include "core/screening/CandidateChecks.h"
