// The path phase and the checks take short cuts (one walk for all paths, shared records, pairs only with the
// nearest same-member item, paths compared only within groups of comparable conclusions). The paths and
// findings of random logic descriptions were taken when these agreed with the plain algorithm, every
// conclusion searched from the top and every pair of items and of paths tested; they must stay as they are.

#include "InspectionTestSupport.h"
#include "logic/InspectionParser.h"
#include "logic/InspectionPathCreation.h"
#include "logic/PathChecks.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {

// Eight hex digits of a SHA-1 of each description's paths and findings, one per round.
const char* const kDigests =
    "b12ab90dce4cab7b8a9966c5bb462bffb1e34f63863c587e22a21cd2ee90b4b5c56d55995016bf130eab8219df9e57a38b2c6210"
    "537bc28da7dda89ba817e93b1dd3e3ca13510e4d7d659ca61e9594dedf9e57a37d408ac6df9e57a333147422df9e57a3d9acb2f8"
    "df9e57a3ee90b4b53a16e5047af21c2b46eaf37d51602d75df9e57a36be59b3c88ccec6b78138ab09b87150cdf9e57a38bffd8be"
    "42a2d5d626e0bfee424ff8f9857af74a9cd644e3c8a7d6eda4987396df9e57a3ead7cec68aaad6e7442a4d46c31fa51d04749164"
    "5192f3b8ab855478a39c340de0d7699cdf9e57a3df9e57a3c5260f768df582575fc7877e77eae188a2a1f93486001ae2df9e57a3"
    "0693c540bd8c067077068be036c5f7a1df9e57a300bbcf72d8cf96c920972a058b1235cedea5bd6248f9feac07f21f80ee90b4b5"
    "6c4fed36e6831f63cb129aa9d1007a75160d31218e73c83703b74f7774d05084df9e57a3fc819ee4e22745d8371d79aacd08a515"
    "3fd136dcdf9e57a39e755a96df9e57a315e0f5614c22b613fbc04fa9ff0653ab83ecc53d508e7283fe8331eb625206f0a95c952c"
    "df9e57a31b82a3e3cbdc7c0ef1d3d239b416d542beacfab2df9e57a35d53b21e399f4641a4c50ecedf9e57a3e74af42a4341197c"
    "11cc9bf6df9e57a3e9ece4a61eb5f6e95327510d640ff0c8894311d9bddf0b7078138ab0f41280e67ea57353df9e57a395d117d3"
    "317bbe9b823d37bb2e6064877f62a9518ca0d44244fcde6831c39d5775252090e27f91852a1a922eaa0aae40df9e57a33269cb7a"
    "605e0c541f29c7ba548070e0dd0b8190b3740722ceaad6c05bfd9df3a0af93f41467bed3df9e57a315ed0ee375578454766cbab2"
    "4ceea2b119097f653d9e03483b8b6ee90226d06604804b539e06798613510e4ddf9e57a34582eb0d7ba835ad6811eb5adf9e57a3"
    "df9e57a39d91da75df9e57a3a150105a62035be274cb7ad32c66ed0d4341197cdf9e57a330a0f08f5d543c10351e120bd0f30b38"
    "df9e57a3b9e738d28df5563cca8edf1f5e2289e270ecb822b6db7a2e59682b8cb70e534a9b29dc25e3d4cab18ec0dd116e00e2c9"
    "3e3ff37cbb229900df9e57a39449cc2d563c08c02282a0cf810a50cbafa2321237d1a88e81832568df9e57a3c5b2c4e0957d55b7"
    "ee90b4b553768368ee90b4b5df9e57a3198034d4df9e57a34341197cf6add8729a656bc8633a2bbd592ccb7cdf9e57a3813c6242"
    "4cf05d639dc64828a817e93b3a5259e14ffc482106f6fdcec27d0e29df9e57a3dda1730288cebb8c52be8712df9e57a32e023603"
    "4408936955616804df9e57a3089fa8b9ee90b4b5b9327f25edae93559c2824d872a488bf2242e9c7b666a44e20f1806880a4b917"
    "843aef2caaef8e05004e2f10a8753fb5d99129cf3fc07553d46d6e54a5c9e7aa1e2bd3ef3ad8b19f9bd27dd98797405671026f2d"
    "0cb31627370c18d022b4f9e0df9e57a3bb166c710343aa383fa88a96df9e57a3ee90b4b5446ee3fd3888704cbfb4eb62188c52c7"
    "2d2d60be5b908cdc07667b99f3eb89f6a12ce2f51293526dbf06ecf8a6530fbb271b5e9a7dddfe657dd7ba8c4c5d049f6a32b91a"
    "df9e57a3aaeeacb1920956d7219538f2a36fee7ce57127d4c415fd4bdd8a12c64e82a19f30a0f08f246615346ef6aa68e0f3d9ef"
    "690da215";

QString RandomScript(std::mt19937& random, int depth, int& budget) {
    static const QStringList members = {"X", "Y", "Z"};
    static const QStringList states = {"S", "T", QString(QChar(0x00AC)) + "S"};
    const auto pick = [&random](const QStringList& list) { return list[random() % list.size()]; };
    QString script;
    const int count = 1 + random() % 3;
    // The draws are taken last part first: the digests were recorded with that order.
    for (int i = 0; i < count && budget > 0; ++i) {
        --budget;
        const int choice = depth > 3 ? random() % 3 : random() % 7;
        switch (choice) {
        case 0:
        case 1: {
            const QString state = pick(states);
            script += "Do <" + pick(members) + ">{" + state + "}\n";
            break;
        }
        case 2:
            script += random() % 2 ? "Do nothing\n" : "exitlp\n";
            break;
        case 3:
        case 4: {
            const QString otherwise = RandomScript(random, depth + 1, budget);
            const QString then = RandomScript(random, depth + 1, budget);
            const QString state = pick(states);
            script += "if <" + pick(members) + ">{" + state + "}\n" + then + "else\n" + otherwise + "endif\n";
            break;
        }
        case 5: {
            const QString otherwise = RandomScript(random, depth + 1, budget);
            const QString second = RandomScript(random, depth + 1, budget);
            const QString secondState = pick(states);
            const QString first = RandomScript(random, depth + 1, budget);
            const QString firstState = pick(states);
            script += "switch <" + pick(members) + ">\ncase {" + firstState + "}\n" + first + "case {" + secondState +
                      "}\n" + second + "elsw\n" + otherwise + "endsw\n";
            break;
        }
        default:
            script += "loop\n" + RandomScript(random, depth + 1, budget) + "endlp\n";
            break;
        }
    }
    return script;
}

QString Describe(const PathCondition& c) {
    return QString("%1:%2:%3%4:%5").arg(c.position).arg(c.pairable).arg(c.member, c.state.GetText()).arg(c.quantifier);
}

} // namespace

TEST(PathReference, RandomDescriptionsKeepTheirPathsAndFindings) {
    // NUV_PRINT_PATH_DIGESTS=1 prints the digests of the current build instead of comparing them.
    const bool print = qEnvironmentVariableIsSet("NUV_PRINT_PATH_DIGESTS");
    const QString expected = QString::fromLatin1(kDigests);
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        int budget = 25;
        const QString script = RandomScript(random, 0, budget);
        LogicTestDocument document;
        CUnitFunction* main = document.Add("Main", script);
        document.Finish();
        std::vector<InspectionParserLine> lines;
        CollectLogicLines(*main, lines);
        CInspectionParser parser(lines, document.environment);
        const InspectionParserSequencePtr top = parser.Parse();
        CInspectionView pane;
        InspectionResultSet results(pane, document.environment);
        CreatePathsOfCurrentUnitFunction(results, top);
        QStringList output;
        for (const InspectionPath& path : results.paths) {
            QStringList conditions;
            for (const PathCondition& c : path.Conditions())
                conditions << Describe(c);
            output << QString::number(path.conclusion->position) + " <- " + conditions.join(' ');
        }
        CheckWithinPaths(results, document.environment, true, true, false);
        CheckBetweenPaths(results, true, true);
        output << pane.Lines();
        const QString digest = QString::fromLatin1(
            QCryptographicHash::hash(output.join('\n').toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
        if (print)
            std::printf("%s", qPrintable(digest));
        else
            ASSERT_EQ(digest, expected.mid(round * 8, 8)) << "round " << round << " of\n"
                                                          << script.toStdString() << "gives\n"
                                                          << output.join('\n').toStdString();
    }
}
