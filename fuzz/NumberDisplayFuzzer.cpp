// Text from the host read by the fixed-point display delegate, for each value
// type a parameter can have. A text that reads must give a value that shows
// and reads back to itself.

#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CString.h"
#include "FuzzSupport.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace
{
    template <typename T, uint32_t Precision>
    void readAndConfirm (const AAX_CString& text)
    {
        const AAX_CNumberDisplayDelegate<T, Precision> display;

        T value {};
        if (! display.StringToValue (text, &value))
        {
            FUZZ_EXPECT (value == T (0));
            return;
        }

        FUZZ_EXPECT (std::isfinite (static_cast<double> (value)));

        AAX_CString shown;
        FUZZ_EXPECT (display.ValueToString (value, &shown));

        T confirmed {};
        FUZZ_EXPECT (display.StringToValue (shown, &confirmed));

        AAX_CString shownAgain;
        FUZZ_EXPECT (display.ValueToString (confirmed, &shownAgain));
        FUZZ_EXPECT (shownAgain == shown);

        // A shortened text never grows and never ends in a bare point.
        AAX_CString shortened;
        FUZZ_EXPECT (display.ValueToString (value, 5, &shortened));
        FUZZ_EXPECT (shortened.Length() <= 5);
        FUZZ_EXPECT (shortened.Length() == 0 || shortened[shortened.Length() - 1] != '.');
    }
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    // Hosts pass C strings: the text ends at the first zero byte.
    const std::string bytes (reinterpret_cast<const char*> (data), size);
    const AAX_CString text (bytes.c_str());

    readAndConfirm<float, 3> (text);
    readAndConfirm<float, 0> (text);
    readAndConfirm<double, 6> (text);
    readAndConfirm<int32_t, 0> (text);
    return 0;
}
