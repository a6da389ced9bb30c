#pragma once

#include <QtGlobal>

// Result codes of the playback layer. The values keep the layout the sound
// code has always used: negative means failure, 0 success, 1 "nothing done".
struct AudioResult
{
    using code_t = qint32;

    static constexpr code_t Ok = 0;
    static constexpr code_t False = 1;
    static constexpr code_t Fail = static_cast<code_t>(0x80004005u);
    static constexpr code_t InvalidArg = static_cast<code_t>(0x80070057u);
    static constexpr code_t OutOfMemory = static_cast<code_t>(0x8007000Eu);
    static constexpr code_t NotInitialised = static_cast<code_t>(0x800401F0u);
    static constexpr code_t NoVirtualisation = static_cast<code_t>(0x0878000Au);
    static constexpr code_t BadFormat = static_cast<code_t>(0x88780064u);
    static constexpr code_t NoDevice = static_cast<code_t>(0x88780078u);
    static constexpr code_t ControlUnavailable = static_cast<code_t>(0x8878001Eu);
    static constexpr code_t BufferLost = static_cast<code_t>(0x88780096u);

    static constexpr bool failed(code_t code) { return code < 0; }
    static constexpr bool succeeded(code_t code) { return code >= 0; }
};
