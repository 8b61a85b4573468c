#include "settings/FuzzwordList.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

using platform::MessageAnswer;
using platform::ScriptedMessageSink;

TEST(FuzzwordList, OkStoresWordsAndScopeOnlyWhenTheyChanged) {
    CDocumentData data;
    data.fuzzwords = {{"適宜", "なるべく"}, 1, 1};
    CFuzzwordList list(data.fuzzwords);
    EXPECT_EQ(list.Words(), (QStringList{"適宜", "なるべく"}));
    EXPECT_EQ(list.Store(data, "曖昧語"), VocabularyStore::Unchanged);

    list.searchLogic = false;
    EXPECT_EQ(list.Store(data, "曖昧語"), VocabularyStore::Stored);
    EXPECT_EQ(data.fuzzwords, (FuzzwordSettings{{"適宜", "なるべく"}, 1, 0}));

    // A word given twice keeps its first place once the question is answered with OK; brackets are allowed.
    list.SetWords({"適宜", "<速やかに>", "適宜", "概ね"});
    ScriptedMessageSink sink;
    sink.Answer(MessageAnswer::Ok);
    EXPECT_EQ(list.Store(data, "曖昧語"), VocabularyStore::Refused);
    EXPECT_EQ(sink.Texts(),
              QStringList{"曖昧語 \"適宜\" が重複しています。\n重複する曖昧語を削除してよろしいですか？"});
    EXPECT_EQ(list.Store(data, "曖昧語"), VocabularyStore::Stored);
    EXPECT_EQ(data.fuzzwords.words, (QStringList{"適宜", "<速やかに>", "概ね"}));
}
