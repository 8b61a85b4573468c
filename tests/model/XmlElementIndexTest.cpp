#include "model/XmlElementIndex.h"
#include "model/XmlDocumentContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(XmlElementIndex, RangesEndWithTheSubtreeOfTheirMatch) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<R><A><B/><A><B/></A><C><B/></C></A><B/><A/><C/></R>", kXmlParseOptions));
    const XmlElementIndex index(document.first_child(), {"A", "B"});
    const pugi::xml_node outer = document.first_child().first_child();
    std::vector<pugi::xml_node> below;
    index.ForEach(1, index.Below(outer), [&](pugi::xml_node node) {
        below.push_back(node);
        return true;
    });
    ASSERT_EQ(below.size(), 3u); // not the B after the outer A
    EXPECT_EQ(below[2].parent().name(), std::string("C"));
    const pugi::xml_node inner = outer.child("A");
    EXPECT_EQ(index.First(1, index.Below(inner)), inner.first_child());
    const pugi::xml_node last = outer.next_sibling().next_sibling();
    EXPECT_FALSE(index.First(1, index.Below(last))); // an empty element has nothing below it
    EXPECT_FALSE(index.First(0, index.Below(document.first_child().last_child()))); // not a match
}
