#pragma once
// Morphological analysis in the VLX engine: a VLX file holds finished pages and nothing to
// analyse forms with, so the object keeps what a client writes and reports "not implemented".

#include "common/base_conjugator.h"

namespace flexel::vlx {

class TMorpho final : public TBaseMorpho {};

}  // namespace flexel::vlx
