// PlainXml.h: tells whether a text is XML in the plain form writers produce,
// before the framework's XML reader is trusted with it.
#pragma once

#include <string_view>

namespace PlainXml
{
    // True when the UTF-8 text holds one element, after at most an XML
    // declaration, comments, processing instructions and white space, in the
    // form every XML writer produces: named tags, attributes with quoted
    // values, text, comments and CDATA sections inside elements, and
    // references only to the five predefined entities or to characters.
    // Whatever follows the element is not looked at, as the reader ignores it.
    //
    // The framework's reader takes any such text in the same structure, and
    // two things it mishandles are refused:
    // - elements nested deeper than maxDepth: the reader, the tree made from
    //   its result and the element's destructor each recurse once per level,
    //   so a text a few thousand levels deep exhausts a host thread's stack;
    // - a processing instruction inside an element: the reader skips it,
    //   finds text after it, steps back before it and loops for ever.
    // Document types are refused too: their entities expand without limit.
    // Close tags are not matched against their open tags (the reader does
    // not match them either).
    bool isPlainDocument (std::string_view text, int maxDepth) noexcept;
}
