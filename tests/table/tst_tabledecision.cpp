// The table's one open question: for each order of events a server may send,
// what the player may send afterwards.

#include "table/TableDecision.h"

#include <QtTest>

namespace {

const qint32 OWN = 100, P1 = 101, P2 = 102, P3 = 103;

qint32 playerOf(const QString &name)
{
    if (name == QLatin1String("Own"))
        return OWN;
    return name == QLatin1String("P1") ? P1 : name == QLatin1String("P2") ? P2 : P3;
}

meld_offer_vector offersOf(const QString &types)
{
    // Each kind on the tile it is offered for in these scripts.
    meld_offer_vector offers;
    for (const QString &type : types.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int t = type.toInt();
        const tile on = t == 64 ? 34 : t == 128 ? 5 : t == 2 ? 4 : 27;
        offers.push_back(meld_offer(t, on));
    }
    return offers;
}

// Plays one script: server events and the player's clicks, space-separated.
void play(TableDecision &d, const QString &script)
{
    const TimeSpan ts;
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (step == QLatin1String("turn"))
            d.turn(OWN, ts);
        else if (step.startsWith(QLatin1String("turn")))
            d.turn(playerOf(step.mid(4)), ts);
        else if (step.startsWith(QLatin1String("conc:")))
            d.concealed(offersOf(arg), ts);
        else if (step.startsWith(QLatin1String("repl:")))
            d.replacement(offersOf(arg), ts);
        else if (step.startsWith(QLatin1String("claim:")))
            d.claim(offersOf(arg), P1, 4, ts);
        else if (step.startsWith(QLatin1String("rob:")))
            d.robKong(offersOf(arg), ts);
        else if (step.startsWith(QLatin1String("draw")))
            d.drawn(playerOf(step.mid(4)));
        else if (step.startsWith(QLatin1String("dead")))
            d.drawn(playerOf(step.mid(4)), true);
        else if (step.startsWith(QLatin1String("bonus")))
            d.declared(playerOf(step.mid(5)), true);
        else if (step == QLatin1String("pong"))
            d.select(meld_offer(2, 4));
        else if (step.startsWith(QLatin1String("disc")))
            d.discarded(playerOf(step.mid(4)));
        else if (step.startsWith(QLatin1String("claimed")))
            d.claimed(playerOf(step.mid(7)));
        else if (step.startsWith(QLatin1String("decl")))
            d.declared(playerOf(step.mid(4)));
        else if (step == QLatin1String("timeout") || step == QLatin1String("end"))
            d.end();
        else if (step == QLatin1String("reset"))
            d.reset();
        else if (step == QLatin1String("click"))
            d.click(5);
        else if (step.startsWith(QLatin1String("click:")))
            d.click(tile(arg.toInt()));
        else if (step == QLatin1String("pass"))
            d.pass();
        else
            QTest::qFail(qPrintable(QStringLiteral("unknown step ") + step), __FILE__, __LINE__);
    }
}

// Every answer the player could try, each on a copy of the decision.
QString mayBeSent(const TableDecision &d)
{
    QStringList sent;
    const auto note = [&sent](TableDecision::Answer a) {
        if (a.request != TableDecision::Nothing)
            sent << QLatin1String(TableDecision::requestName(a.request));
    };
    auto copy = d;
    note(copy.click(5));
    copy = d;
    note(copy.click(34));
    copy = d;
    note(copy.select(meld_offer(2, 4)));
    copy = d;
    note(copy.select(meld_offer(16, 0)));
    copy = d;
    note(copy.pass());
    for (const int kind : {8, 128}) {
        copy = d;
        if (copy.chooseKind(kind))
            note(copy.click(kind == 8 ? 27 : 5));
    }
    copy = d;
    bool chose = false;
    copy.select(meld_offer(128, 0), &chose);
    if (chose)
        note(copy.click(5));
    sent.sort();
    sent.removeDuplicates();
    return sent.join(QLatin1Char(' '));
}

} // namespace

class TestTableDecision : public QObject
{
    Q_OBJECT

private slots:
    void whatMayBeSent_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("sent");

        QTest::newRow("own turn") << "drawOwn turn"
                                  << "discard_tile";
        QTest::newRow("declarations, then the turn") << "drawOwn conc:16,8 turn"
                                                     << "call_kong call_mahjong discard_tile";
        QTest::newRow("the turn, then declarations") << "drawOwn turn conc:16,8"
                                                     << "call_kong call_mahjong discard_tile";
        QTest::newRow("riichi on the declarations") << "drawOwn conc:128"
                                                    << "call_riichi discard_tile";
        QTest::newRow("declarations after the discard was chosen") << "drawOwn turn click conc:16,8"
                                                                   << "";
        QTest::newRow("declarations after the discard was reported") << "drawOwn turn discOwn conc:16,8"
                                                                     << "";
        QTest::newRow("declarations after the next seat drew") << "drawOwn turn discOwn drawP2 conc:16,8"
                                                               << "";
        QTest::newRow("declarations shown, then the discard reported") << "drawOwn conc:16,8 turn discOwn drawP2"
                                                                       << "";
        QTest::newRow("empty declarations before the turn") << "drawOwn conc:"
                                                            << "discard_tile";
        QTest::newRow("the turn after its discard went") << "drawOwn conc: click turn"
                                                         << "";
        QTest::newRow("the next own turn") << "drawOwn conc: click discOwn drawP2 discP2 drawOwn turn"
                                           << "discard_tile";
        QTest::newRow("replace tiles") << "drawOwn repl:64"
                                       << "call_bonus call_pass";
        QTest::newRow("replace tiles, then the turn") << "drawOwn repl:64 turn"
                                                      << "call_bonus call_pass discard_tile";
        QTest::newRow("replace tiles, the turn, then a pass") << "drawOwn repl:64 turn pass"
                                                              << "discard_tile";
        QTest::newRow("replace tiles, the turn, then the flower") << "drawOwn repl:64 turn click:34 declOwn"
                                                                  << "";
        QTest::newRow("replace tiles, the turn, then a discard") << "drawOwn repl:64 turn click"
                                                                 << "";
        QTest::newRow("replace tiles, the turn, then the time-out") << "drawOwn repl:64 turn timeout"
                                                                    << "";
        QTest::newRow("replace tiles passed, then the turn") << "drawOwn repl:64 pass turn"
                                                             << "discard_tile";
        QTest::newRow("claim") << "discP1 claim:2"
                               << "call_pass call_pong";
        QTest::newRow("claim, then the next seat draws") << "discP1 claim:2 drawP2"
                                                         << "";
        QTest::newRow("claim, then the next seat's turn") << "discP1 claim:2 turnP2"
                                                          << "";
        QTest::newRow("claim, then another claims") << "discP1 claim:2 claimedP3"
                                                    << "";
        QTest::newRow("claim, then the time-out") << "discP1 claim:2 timeout"
                                                  << "";
        QTest::newRow("claim after the next draw") << "discP1 drawP2 claim:2"
                                                   << "";
        QTest::newRow("claim on the own discard") << "drawOwn turn discOwn claim:2"
                                                  << "";
        QTest::newRow("claim after the table was taken again") << "reset claim:2,16"
                                                               << "call_mahjong call_pass call_pong";
        QTest::newRow("rob the kong") << "drawP2 rob:16"
                                      << "call_mahjong call_pass";
        QTest::newRow("rob the kong, then the kong laid down") << "drawP2 rob:16 declP2"
                                                               << "";
        QTest::newRow("own meld keeps the turn going") << "claimedOwn declOwn turn"
                                                       << "discard_tile";
        QTest::newRow("declarations before the turn and the own draw") << "discP3 conc:16 turn drawOwn"
                                                                       << "call_mahjong discard_tile";
        QTest::newRow("the turn before the own draw") << "discP3 turn drawOwn"
                                                      << "discard_tile";
        QTest::newRow("the turn before the own draw, declarations") << "discP3 turn drawOwn conc:16,8"
                                                                    << "call_kong call_mahjong discard_tile";
        QTest::newRow("the turn before the own draw, then flowers") << "discP3 turn drawOwn repl:64"
                                                                    << "call_bonus call_pass discard_tile";
        QTest::newRow("the turn, flowers, then a pass") << "discP3 turn drawOwn repl:64 pass"
                                                        << "discard_tile";
        QTest::newRow("the turn before the own claim is reported") << "discP1 claim:2 pong turn claimedOwn declOwn"
                                                                   << "discard_tile";
        QTest::newRow("the own claim reported, then the turn") << "discP1 claim:2 pong claimedOwn declOwn turn"
                                                               << "discard_tile";
        QTest::newRow("another seat's flower during a claim") << "discP1 claim:2 bonusP2 deadP2"
                                                              << "call_pass call_pong";
        QTest::newRow("another seat's flower, then its turn's draw") << "discP1 claim:2 bonusP2 deadP2 drawP2"
                                                                     << "";
        QTest::newRow("another seat's flower, then a live draw") << "discP1 claim:2 bonusP2 drawP2"
                                                                 << "";
        QTest::newRow("another seat's meld during a claim") << "discP1 claim:2 declP2"
                                                            << "";
        QTest::newRow("a flower before the claim comes") << "discP1 bonusP2 deadP2 claim:2"
                                                         << "call_pass call_pong";
        QTest::newRow("the hand ends") << "drawOwn turn conc:16 end"
                                       << "";
        QTest::newRow("another seat's turn") << "drawOwn turn turnP3"
                                             << "";
    }

    void whatMayBeSent()
    {
        QFETCH(QString, events);
        QFETCH(QString, sent);
        TableDecision d(OWN);
        play(d, events);
        QCOMPARE(mayBeSent(d), sent);
        // The hand is active exactly when a tile may go.
        QCOMPARE(d.handActive(),
                 sent.contains(QLatin1String("discard_tile")) || sent.contains(QLatin1String("call_bonus")));
    }
};

QTEST_MAIN(TestTableDecision)
#include "tst_tabledecision.moc"
