// Feeds arbitrary bytes to the light-script message decoder, in chunks of the size the first byte
// names, as a TCP connection delivers them. Every input must end as a complete message that encodes
// back to exactly the bytes it came from, as a malformed one, or still waiting; and the chunking
// must not change the outcome.

#include "script/ScriptMessageDecoder.h"

#include <cstdint>
#include <cstdlib>

using UpdatePelarin::ScriptMessageDecoder;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int chunk = data[0] + 1;
    const QByteArray stream(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));

    ScriptMessageDecoder chunked;
    ScriptMessageDecoder::Result result = ScriptMessageDecoder::Result::NeedMore;
    for (int offset = 0; offset < stream.size(); offset += chunk)
        result = chunked.Append(stream.mid(offset, chunk));

    ScriptMessageDecoder whole;
    if (whole.Append(stream) != result || whole.Script() != chunked.Script())
        std::abort();
    if (result == ScriptMessageDecoder::Result::Complete) {
        const QByteArray message = stream.left(2 + chunked.AnnouncedSize());
        if (ScriptMessageDecoder::Encode(chunked.Script()) != message || chunked.HasPartialMessage())
            std::abort();
    }
    if (result == ScriptMessageDecoder::Result::NeedMore && stream.size() >= 2 + 0xFFFF)
        std::abort();
    return 0;
}
