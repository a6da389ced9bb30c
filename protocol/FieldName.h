#pragma once

#include <cstddef>
#include <string_view>

// A field name given as a template argument: MessageFields<...>::i32<"tableId">().
template <size_t N>
struct FieldName
{
    char text[N] = {};

    consteval FieldName(const char (&name)[N])
    {
        for (size_t i = 0; i < N; ++i)
            text[i] = name[i];
    }

    constexpr std::string_view view() const { return std::string_view(text, N - 1); }
};
