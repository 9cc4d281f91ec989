#include <memory>

#include <gtest/gtest.h>

#include "engine/model/element_path.h"

namespace quaverly {
namespace {

// root -> 2 children; child 1 -> 3 children; its child 2 -> 2 children; its child 0 -> 1.
class ElementPathTest : public testing::Test {
protected:
    void SetUp() override
    {
        root = std::make_shared<ScoreElement>();
        for (int i = 0; i < 2; ++i)
            root->AppendChild(std::make_shared<ScoreElement>());
        for (int i = 0; i < 3; ++i)
            root->GetChild(1)->AppendChild(std::make_shared<ScoreElement>());
        for (int i = 0; i < 2; ++i)
            root->GetChild(1)->GetChild(2)->AppendChild(std::make_shared<ScoreElement>());
        leaf = std::make_shared<ScoreElement>();
        root->GetChild(1)->GetChild(2)->GetChild(0)->AppendChild(leaf);
    }

    std::shared_ptr<ScoreElement> root;
    std::shared_ptr<ScoreElement> leaf;
};

TEST_F(ElementPathTest, PathsReachTheElementOrGiveEmpty)
{
    const auto level2 = root->GetChild(1)->GetChild(2);
    const auto level3 = level2->GetChild(1);
    struct Case {
        const char* name;
        std::shared_ptr<ScoreElement> result;
        std::shared_ptr<ScoreElement> expected;
    };
    const Case cases[] = {
        {"2 valid", GetElementAtPath2(*root, 1, 2), level2},
        {"2 first -1", GetElementAtPath2(*root, -1, 0), nullptr},
        {"2 first = count", GetElementAtPath2(*root, 2, 0), nullptr},
        {"2 second -1", GetElementAtPath2(*root, 1, -1), nullptr},
        {"2 second = count", GetElementAtPath2(*root, 1, 3), nullptr},
        {"2 child without children", GetElementAtPath2(*root, 0, 0), nullptr},
        {"3 valid", GetElementAtPath3(*root, 1, 2, 1), level3},
        {"3 third = count", GetElementAtPath3(*root, 1, 2, 2), nullptr},
        {"3 third -1", GetElementAtPath3(*root, 1, 2, -1), nullptr},
        {"3 broken earlier", GetElementAtPath3(*root, 2, 2, 0), nullptr},
        {"4 valid", GetElementAtPath4(*root, 1, 2, 0, 0), leaf},
        {"4 fourth = count", GetElementAtPath4(*root, 1, 2, 0, 1), nullptr},
        {"4 fourth -1", GetElementAtPath4(*root, 1, 2, 0, -1), nullptr},
        {"4 third step empty", GetElementAtPath4(*root, 1, 2, 1, 0), nullptr},
        {"shared root", GetElementAtPath3(root, 1, 2, 1), level3},
        {"empty shared root", GetElementAtPath2(std::shared_ptr<ScoreElement>(), 0, 0),
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, c.expected);
    }
}

}  // namespace
}  // namespace quaverly
