#pragma once

#include <QString>
#include <QVariantList>

// SQL texts of the draw list's views. Values typed by the user are never part
// of a text: the queries name parameters :v1 ... :v6, bound to whole numbers.
namespace ViewQueries {

// The five list views.
QString byDrawDesc();    // newest draw first
QString byCombination(); // by s1, s2, ... s6
QString drawnOrder();    // balls as drawn, under the names s1 ... s6
QString sixWinners();    // draws with a winner of six
QString fiveWinners();   // draws with a winner of five

// Ball frequencies: 49 rows, one per ball, with columns 'Шар' and 'Выпал, раз'
// (the quotes are part of the names). A draw counts once for each ball it holds.
// They need the ball_hits aggregate on the connection (registerBallHits).
QString frequencyByBall();  // 'Шар' (integer), 'Выпал, раз'; by ball
QString frequencyByCount(); // 'Выпал, раз', 'Шар' (text); by count, then ball as text
QString chartFrequency();   // as frequencyByBall, for the chart

// The draws holding three or more of the six numbers :v1 ... :v6, with the
// match count 'Шар' and the matched numbers 'Выпал, раз'.
QString betCheck();

// The draws whose s1 ... s6 equal :v1 ... :v6 position by position.
QString sixNumberSearch();

// The parameter names of the six ball values, "v1" ... "v6".
QString ballParam(int i);

} // namespace ViewQueries
