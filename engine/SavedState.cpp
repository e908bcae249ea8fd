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
    // 600 bytes); a longer text is not one. A previous release read texts of
    // up to 64 KB and saved them with its parameters' values bound in; the
    // limit leaves room for what binding adds (a child per parameter at its
    // longest: under 500 bytes for ours), so that every such state reads.
    // The same bound holds for what the writer would save from a state the
    // reader accepts, so that whatever the effect saves, it reads back.
    constexpr size_t previousReleaseTextBytes = 64 * 1024;
    constexpr size_t bindingRoomBytes = 1024;
    constexpr size_t maxTextBytes = previousReleaseTextBytes + bindingRoomBytes;

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
    // whenever the two differ.
    class BoundChildren
    {
    public:
        BoundChildren (const juce::ValueTree& tree, const juce::StringArray& parameterIDs)
            : children ((size_t) parameterIDs.size())
        {
            for (auto child : tree)
            {
                const auto index = parameterIDs.indexOf (child.getProperty (idProperty).toString());

                if (index >= 0)
                    children[(size_t) index] = child;
            }
        }

        // The child the parameter binds to; invalid when binding appends one.
        juce::ValueTree operator[] (int parameterIndex) const { return children[(size_t) parameterIndex]; }

    private:
        std::vector<juce::ValueTree> children;
    };

    // Written, a double takes at most a sign, the digits, a point and a
    // three-digit exponent ("-1.2345678901234567890e-308"), all characters
    // the writer leaves as they are.
    constexpr int longestValueLength = 1 + valueDigits + 1 + 5;

    // The longest text the writer gives any value the parameter can take. A
    // parameter snaps to its range's steps: with whole steps between whole
    // ends (all of ours), no value is written longer than one of the ends.
    int longestValueText (const juce::NormalisableRange<float>& range)
    {
        const auto whole = [] (float value) { return value == std::round (value); };

        if (range.interval != 1.0f || ! whole (range.start) || ! whole (range.end))
            return longestValueLength;

        return juce::jmax (formatValue (range.start).length(), formatValue (range.end).length());
    }

    // The tree as binding the parameters could leave it at its longest: the
    // value of each child a parameter binds to padded to the longest text of
    // a value that parameter can take (counted in characters, which its
    // escaped form never has fewer bytes than), and a child with a value that
    // long for every parameter that no child names. Binding writes into no
    // other child. Every state saved from the tree is no longer than this,
    // and neither is that state's own longest form, so a state accepted by
    // its longest form is read back once saved.
    juce::ValueTree longestBoundTree (const juce::ValueTree& tree, const juce::StringArray& parameterIDs,
                                      const std::vector<int>& longestValues)
    {
        auto longest = tree.createCopy();
        const BoundChildren bound (longest, parameterIDs);

        for (int index = 0; index < parameterIDs.size(); ++index)
        {
            const auto length = longestValues[(size_t) index];
            auto child = bound[index];

            if (! child.isValid())
            {
                longest.appendChild ({ paramType, { { idProperty, parameterIDs[index] },
                                                    { valueProperty, juce::String::repeatedString ("0", length) } } },
                                     nullptr);
                continue;
            }

            const auto* value = child.getPropertyPointer (valueProperty);
            const auto text = value != nullptr ? attributeText (*value) : juce::String();
            child.setProperty (valueProperty, text + juce::String::repeatedString ("0", juce::jmax (0, length - text.length())), nullptr);
        }

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

    // The tree of an element, every attribute a text property. The framework's
    // own reading (ValueTree::fromXml) takes an attribute named "base64:NAME"
    // as a binary block of the size its text declares, allocated before its
    // text is read (gigabytes for a few bytes of text), and as a property
    // NAME, which the writer then writes back under another name with another
    // meaning. Read as text, such an attribute is kept and written back as it
    // came. Attributes leave the element as they are read, the first of each
    // name kept, as the framework keeps it; text between elements is dropped.
    juce::ValueTree takeTree (juce::XmlElement& element)
    {
        juce::ValueTree tree { element.getTagName() };

        for (auto name = element.getAttributeName (0); name.isNotEmpty(); name = element.getAttributeName (0))
        {
            const juce::Identifier property (name);

            if (! tree.hasProperty (property))
                tree.setProperty (property, element.getAttributeValue (0), nullptr);

            element.removeAttribute (property); // the first of that name: the one just read
        }

        for (auto* child : element.getChildIterator())
            if (! child->isTextElement())
                tree.appendChild (takeTree (*child), nullptr);

        return tree;
    }

    // Every value a parameter binds to is finite and within its range,
    // whichever element carries it: one that is not finite becomes the
    // default, one beyond the range its nearest end. Elements that no
    // parameter binds to are kept as they came.
    void bringBoundValuesIntoRange (const juce::ValueTree& tree, const juce::StringArray& parameterIDs,
                                const juce::AudioProcessorValueTreeState& parameters)
    {
        const BoundChildren bound (tree, parameterIDs);

        for (int index = 0; index < parameterIDs.size(); ++index)
        {
            auto child = bound[index];
            const auto* parameter = parameters.getParameter (parameterIDs[index]);

            if (parameter == nullptr || ! child.hasProperty (valueProperty))
                continue;

            const auto value = (double) child.getProperty (valueProperty);
            const auto& range = parameter->getNormalisableRange();

            if (! std::isfinite (value))
                child.setProperty (valueProperty, parameter->convertFrom0to1 (parameter->getDefaultValue()), nullptr);
            else if (value < range.start || value > range.end)
                child.setProperty (valueProperty, juce::jlimit ((double) range.start, (double) range.end, value), nullptr);
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

    juce::StringArray parameterIDs;
    std::vector<int> longestValues;

    for (const auto* description : parameterDescriptions())
    {
        parameterIDs.add (description->paramID);
        longestValues.push_back (longestValueText (description->range));
    }

    auto tree = takeTree (*xml);
    bringBoundValuesIntoRange (tree, parameterIDs, parameterManager.valueTreeState);

    // A state whose saved text could outgrow what the reader reads (its
    // attributes escaped, its parameters bound) would be saved as a block that
    // is then refused: it is refused now instead, as a text too long to read is.
    if (textBytes (longestBoundTree (tree, parameterIDs, longestValues)) > maxTextBytes)
        return;

    parameterManager.valueTreeState.replaceState (tree);
}
