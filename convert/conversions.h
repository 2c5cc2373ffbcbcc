// The two conversions. Each talks to the user itself through the context's prompter and
// returns 1 when it finished and showed the success message, 0 for every other end. Every file
// a call opens is closed before it returns.
#pragma once

#include <string>

#include "convert/conversion_context.h"

namespace trelvan {

// Turns an ABO statement file into a statement table and its memo file.
int ConvertAboToDbf(const std::string& aboPath, const std::string& dbfPath,
                    ConversionContext& context);

// Turns a statement table and its memo file back into an ABO statement file.
int ConvertDbfToAbo(const std::string& dbfPath, const std::string& aboPath,
                    ConversionContext& context);

}  // namespace trelvan
