#pragma once
// The byte blocks of a form description, in either syntax, by where they stand: the names of the
// objects from the top one down, then the property ("Form1/Image1:Picture.Data").
#include <map>
#include <string>
#include <string_view>

namespace qft {

std::map<std::string, std::string> ByteBlocks(std::string_view description);

}  // namespace qft
