// The saved state: the parameter-state tree as one line of XML behind an
// 8-byte header (magic number, text length), followed by a zero byte.

#include "PlainXml.h"
#include "PluginProcessor.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace
{
    constexpr juce::uint32 stateMagic = 0x21324356;
    constexpr int headerSize = 8;
    constexpr int terminatorSize = 1;
    constexpr int valueDigits = 20;

    // Deeper than any saved state nests (ours: two levels); shallow enough
    // for the reader's recursion on a host thread with a small stack.
    constexpr int maxNesting = 64;
    // The reader's time grows with the square of the distinct names it meets
    // (each joins a sorted pool): a megabyte of them takes tens of seconds,
    // this many bytes a fraction of one. A state is far shorter (ours: about
    // 600 bytes); a longer text is not one. The same bound holds for what the
    // writer would save from a state the reader accepts, so that whatever the
    // effect saves, it reads back.
    constexpr size_t maxTextBytes = 64 * 1024;

    const juce::Identifier paramType { "PARAM" };
    const juce::Identifier idProperty { "id" };
    const juce::Identifier valueProperty { "value" };

    // 20 significant digits, general notation, independent of the C locale:
    // whole values without a decimal point ("1", "100"), fractions as needed ("0.5").
    juce::String formatValue (double value)
    {
        char text[64];
        const auto result = std::to_chars (std::begin (text), std::end (text), value,
                                           std::chars_format::general, valueDigits);
        return juce::String (text, (size_t) (result.ptr - text));
    }

    juce::String attributeText (const juce::var& value)
    {
        return value.isDouble() ? formatValue ((double) value) : value.toString();
    }

    std::unique_ptr<juce::XmlElement> toXml (const juce::ValueTree& tree)
    {
        auto element = std::make_unique<juce::XmlElement> (tree.getType());

        for (int i = 0; i < tree.getNumProperties(); ++i)
        {
            const auto name = tree.getPropertyName (i);
            element->setAttribute (name, attributeText (tree.getProperty (name)));
        }

        // Last child first: prepending takes constant time, appending walks
        // the list, which for a text of many elements would take seconds.
        for (int i = tree.getNumChildren(); --i >= 0;)
            element->prependChildElement (toXml (tree.getChild (i)).release());

        return element;
    }

    // The writer's text: the tree on one line, without an XML declaration.
    // Attribute values are escaped, a character taking up to ten bytes.
    void writeText (const juce::ValueTree& tree, juce::OutputStream& out)
    {
        toXml (tree)->writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());
    }

    // An output stream that only counts the bytes written to it.
    class ByteCounter final : public juce::OutputStream
    {
    public:
        void flush() override {}
        bool setPosition (juce::int64) override { return false; }
        juce::int64 getPosition() override { return written; }

        bool write (const void*, size_t numBytes) override
        {
            written += (juce::int64) numBytes;
            return true;
        }

    private:
        juce::int64 written = 0;
    };

    size_t textBytes (const juce::ValueTree& tree)
    {
        ByteCounter counter;
        writeText (tree, counter);
        return (size_t) counter.getPosition();
    }

    // Binding the parameters to a restored tree (the framework's replaceState)
    // gives each parameter the last child whose "id" names it, of any type,
    // or a "PARAM" child with only that "id", appended; from then on the
    // parameter's value is written into that child's "value", as a double,
    // whenever the two differ. Written, a double takes at most a sign, the
    // digits, a point and a three-digit exponent ("-1.2345678901234567890e-308"),
    // all characters the writer leaves as they are.
    constexpr int longestValueLength = 1 + valueDigits + 1 + 5;

    // The tree as binding the parameters could leave it at its longest: the
    // value of every child that names a parameter padded to the longest a
    // value is written (counted in characters, which its escaped form never
    // has fewer bytes than), and a child with a value that long for every
    // parameter that no child names. Every state saved from the tree is no
    // longer than this, and neither is that state's own longest form, so a
    // state accepted by its longest form is read back once saved.
    juce::ValueTree longestBoundTree (const juce::ValueTree& tree, const juce::StringArray& parameterIDs)
    {
        const auto padded = [] (const juce::String& text) {
            return text + juce::String::repeatedString ("0", juce::jmax (0, longestValueLength - text.length()));
        };

        auto longest = tree.createCopy();
        std::vector<bool> named ((size_t) parameterIDs.size(), false);

        for (auto child : longest)
        {
            const auto index = parameterIDs.indexOf (child.getProperty (idProperty).toString());

            if (index < 0)
                continue;

            named[(size_t) index] = true;
            const auto* value = child.getPropertyPointer (valueProperty);
            child.setProperty (valueProperty, padded (value != nullptr ? attributeText (*value) : juce::String()), nullptr);
        }

        for (int index = 0; index < parameterIDs.size(); ++index)
            if (! named[(size_t) index])
                longest.appendChild ({ paramType, { { idProperty, parameterIDs[index] }, { valueProperty, padded ({}) } } }, nullptr);

        return longest;
    }

    juce::uint32 readLittleEndian (const juce::uint8* bytes) noexcept
    {
        return juce::ByteOrder::littleEndianInt (bytes);
    }

    // The number of leading bytes that are well-formed UTF-8: shortest forms
    // only, no surrogates, nothing above U+10FFFF, no zero byte. JUCE's strings
    // measure a text by decoding it and then copy its raw bytes, so a malformed
    // sequence (a lead byte without its continuation bytes, an overlong zero)
    // would make the copy overrun what was measured.
    size_t wellFormedUtf8Length (const juce::uint8* bytes, size_t length) noexcept
    {
        size_t i = 0;

        while (i < length && bytes[i] != 0)
        {
            const auto lead = bytes[i];
            size_t extra = 0;
            juce::uint8 low = 0x80, high = 0xbf; // allowed range of the first continuation byte

            if (lead < 0x80)      extra = 0;
            else if (lead < 0xc2) break;
            else if (lead < 0xe0) extra = 1;
            else if (lead < 0xf0) { extra = 2; if (lead == 0xe0) low = 0xa0; if (lead == 0xed) high = 0x9f; }
            else if (lead < 0xf5) { extra = 3; if (lead == 0xf0) low = 0x90; if (lead == 0xf4) high = 0x8f; }
            else break;

            if (i + extra >= length)
                break;

            bool complete = true;

            for (size_t k = 1; k <= extra && complete; ++k)
            {
                const auto next = bytes[i + k];
                complete = k == 1 ? (next >= low && next <= high) : (next & 0xc0) == 0x80;
            }

            if (! complete)
                break;

            i += extra + 1;
        }

        return i;
    }

    // The text of a block: at most the stored length, never beyond the data,
    // ending early at a zero byte or at the first byte that is not part of
    // well-formed UTF-8 (a character cut off at the end, say).
    std::string_view readText (const juce::uint8* bytes, int available, juce::int32 storedLength) noexcept
    {
        const auto length = wellFormedUtf8Length (bytes, (size_t) juce::jmin (available, (int) storedLength));
        return { reinterpret_cast<const char*> (bytes), length };
    }

    // A value that is not finite must reach no parameter: it becomes the default.
    // Elements that no parameter reads are kept as they came.
    void replaceNonFiniteValues (juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& parameters)
    {
        for (auto child : tree)
        {
            if (! child.hasType (paramType) || ! child.hasProperty (valueProperty))
                continue;

            if (std::isfinite ((double) child.getProperty (valueProperty)))
                continue;

            if (auto* parameter = parameters.getParameter (child.getProperty (idProperty).toString()))
                child.setProperty (valueProperty,
                                   parameter->convertFrom0to1 (parameter->getDefaultValue()), nullptr);
        }
    }
}

juce::ValueTree TemplateEffectAudioProcessor::createStateTree() const
{
    // The children exist, in host order, before the parameters bind to them:
    // that is the order in which the saved state lists them.
    juce::ValueTree tree { juce::Identifier (stateTypeName) };

    for (const auto* description : parameterDescriptions())
        tree.appendChild (juce::ValueTree { paramType, { { idProperty, description->paramID } } }, nullptr);

    return tree;
}

void TemplateEffectAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    // copyState first writes every pending parameter value into the tree, so a
    // host that saves without a running message loop still gets the latest values.
    const auto tree = parameterManager.valueTreeState.copyState();

    if (! tree.isValid())
        return;

    {
        juce::MemoryOutputStream out (destData, false);
        out.writeInt ((int) stateMagic);
        out.writeInt (0); // the text length, patched below
        writeText (tree, out);
        out.writeByte (0);
    }

    const auto textLength = juce::ByteOrder::swapIfBigEndian ((juce::uint32) (destData.getSize() - headerSize - terminatorSize));
    std::memcpy (static_cast<char*> (destData.getData()) + 4, &textLength, sizeof (textLength));
}

void TemplateEffectAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto* bytes = static_cast<const juce::uint8*> (data);

    if (bytes == nullptr || sizeInBytes < headerSize + terminatorSize)
        return;

    if (readLittleEndian (bytes) != stateMagic)
        return;

    const auto storedLength = (juce::int32) readLittleEndian (bytes + 4);

    if (storedLength <= 0)
        return;

    const auto text = readText (bytes + headerSize, sizeInBytes - headerSize, storedLength);

    if (text.size() > maxTextBytes || ! PlainXml::isPlainDocument (text, maxNesting))
        return;

    const auto xml = juce::XmlDocument::parse (juce::String::fromUTF8 (text.data(), (int) text.size()));

    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (stateTypeName))
        return;

    auto tree = juce::ValueTree::fromXml (*xml);
    replaceNonFiniteValues (tree, parameterManager.valueTreeState);

    // A state whose saved text could outgrow what the reader reads (its
    // attributes escaped, its parameters bound) would be saved as a block that
    // is then refused: it is refused now instead, as a text too long to read is.
    juce::StringArray parameterIDs;
    for (const auto* description : parameterDescriptions())
        parameterIDs.add (description->paramID);

    if (textBytes (longestBoundTree (tree, parameterIDs)) > maxTextBytes)
        return;

    parameterManager.valueTreeState.replaceState (tree);
}
