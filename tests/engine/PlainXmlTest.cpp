// The screen in front of the XML reader: the forms writers produce pass, and
// what the reader would loop on, recurse through or expand does not.
#include <gtest/gtest.h>

#include "PlainXml.h"

#include <initializer_list>
#include <string>

namespace
{
    constexpr int depth = 4;

    std::string nested (int levels)
    {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += "<a>";
        for (int i = 0; i < levels; ++i)
            text += "</a>";
        return text;
    }

    TEST (PlainXml, WhatWritersProducePasses)
    {
        for (const std::string& text : std::initializer_list<std::string> {
                 "<S><PARAM id=\"powerId\" value=\"1\"/><PARAM id=\"Kick_SubId\" value=\"0.5\"/></S>",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <S><PARAM id=\"a\" value=\"60.0\"/></S>",
                 "<?xml version=\"1.0\"?>\n\n<!-- saved -->\n<?app note?>\n<S/>",
                 "<S build='7' x = \"1\"\n\ty=\"&amp;&lt;&gt;&quot;&apos;&#233;&#x1F600;&#10;\" ></S >",
                 "<S>text &amp; more<!-- <?no?> --><![CDATA[<?no?> & <x>]]><e/>tail</S>",
                 "<S><\xc3\xa9l\xc3\xa9ment/><ns:e.x-y_z/></S>",
                 "<S></S> trailing text the reader ignores <?x?>",
                 nested (depth),
             })
        {
            EXPECT_TRUE (PlainXml::isPlainDocument (text, depth)) << text;
        }
    }

    TEST (PlainXml, WhatTheReaderMishandlesIsRefused)
    {
        for (const std::string& text : std::initializer_list<std::string> {
                 // A processing instruction inside an element, anywhere.
                 "<A><?" "?>b", "<S><?x?>b</S>", "<S>a<?x?></S>", "<S><e/> <?x?> </S>", "<S x=\"1\" <?x?>></S>",
                 // Document types and entities they would define.
                 "<!DOCTYPE S [<!ENTITY x \"a&x;\">]><S>&x;</S>", "<!-- c --><!DOCTYPE S><S/>", "<S>&x;</S>",
                 "<S a=\"&x;\"/>",
                 // References to no character, or with more digits than the reader takes.
                 "<S>&#0;</S>", "<S>&#xD800;</S>", "<S>&#1114112;</S>", "<S>&#x;</S>", "<S>&#12a;</S>",
                 "<S>&#0000000000065;</S>", "<S>&#x000000041;</S>", "<S>&amp</S>",
                 // Tags outside the plain form.
                 "<S a=\"<\"/>", "<S a=1/>", "<S a/>", "< S/>", "<S><!x></S>",
                 // Cut short.
                 "", "   ", "<S>", "<S", "<S a=\"1", "<!-- c", "<?xml", "<S><!-- c</S>", "<S><![CDATA[x</S>",
                 "<S><e></S>",
                 // Not an element at all.
                 "text", "text<S/>", "&amp;<S/>",
                 // One level too deep.
                 nested (depth + 1),
             })
        {
            EXPECT_FALSE (PlainXml::isPlainDocument (text, depth)) << text;
        }
    }
}
