#pragma once
// vael_options and the engine's request, each way, checked at the edge.

#include "core/chapter/Chapter.h"
#include "core/generation/Generator.h"
#include "vael/vael.h"

namespace vael::capi {

// The request the options make of the chapter; null options are the
// chapter's own. VAEL_E_ARGUMENT for a wrong size or a value out of range,
// VAEL_E_OPTION for an initial letter no sample name begins with.
int RequestFromOptions(const char* call, const Chapter& chapter, const vael_options* options,
                       GenerationOptions& request);

// The request as options; out->size must be sizeof(vael_options).
int OptionsFromRequest(const char* call, const GenerationOptions& request, vael_options* out);

}  // namespace vael::capi
