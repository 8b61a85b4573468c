#include "model/xml/XmlElementIndex.h"
#include "model/xml/XmlDocumentContext.h"

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

TEST(XmlElementIndex, SplitSubtreesGiveTheSameMatchesAndRanges) {
    pugi::xml_document document;
    std::string xml = "<R><A><F><B/></F></A>";
    for (int i = 0; i < 2100; ++i) // enough subtrees to be walked on several threads
        xml += i % 7 == 0 ? "<F><B><A/></B><F><B/></F></F><B/>" : "<F><A/><B/></F>";
    xml += "<A><B/></A><F/></R>";
    ASSERT_TRUE(document.load_string(xml.c_str(), kXmlParseOptions));
    const XmlElementIndex whole(document.first_child(), {"A", "B", "F"});
    const XmlElementIndex split(document.first_child(), {"A", "B"}, {"F"}, 2);
    const auto matches = [](const XmlElementIndex& index, XmlElementIndex::Range range) {
        std::vector<std::pair<pugi::xml_node, std::size_t>> found;
        for (std::size_t name = 0; name < 3; ++name) {
            index.ForEach(name, range, [&](pugi::xml_node node, XmlElementIndex::Range below) {
                found.emplace_back(node, below.end - below.begin);
                return true;
            });
        }
        return found;
    };
    EXPECT_EQ(matches(split, split.All()), matches(whole, whole.All()));
    for (pugi::xml_node child : document.first_child().children())
        EXPECT_EQ(matches(split, split.Below(child)), matches(whole, whole.Below(child)));
}
