// Why a run was refused, in the shown language.
#pragma once

#include <string_view>

#include "runs/run_token.hpp"

std::u16string_view runRefusalMessage(runs::RunRefusal refusal);
