#pragma once

#include <functional>
#include <string_view>

namespace tallimer {

// Hashes a std::string key and a view of a journal line's bytes alike, so an unordered
// container is searched by the line's bytes without copying them.
struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
};

}  // namespace tallimer
