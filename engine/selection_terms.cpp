#include "engine/selection_terms.h"

#include "engine/bet_slip.h"

namespace quorvel {

const std::array<const char*, kPriceCount> kPriceTexts = {
    "Evens", "21/20", "11/10", "6/5",   "5/4",   "11/8",  "6/4",   "13/8",   "7/4",    "15/8",
    "2/1",   "85/40", "9/4",   "19/8",  "5/2",   "11/4",  "3/1",   "100/30", "7/2",    "75/20",
    "4/1",   "9/2",   "5/1",   "11/2",  "6/1",   "13/2",  "7/1",   "15/2",   "8/1",    "17/2",
    "9/1",   "19/2",  "10/1",  "11/1",  "12/1",  "13/1",  "14/1",  "15/1",   "16/1",   "18/1",
    "20/1",  "22/1",  "25/1",  "28/1",  "30/1",  "33/1",  "40/1",  "50/1",   "66/1",   "100/1",
    "125/1", "150/1", "200/1", "250/1", "300/1", "400/1", "500/1", "1000/1", "1250/1",
};

// Traditional forms such as 85/40 and 100/30 are divided as written, not reduced.
const std::array<double, kPriceCount> PriceLadder = {
    1.0 / 1.0,   21.0 / 20.0,  11.0 / 10.0,  6.0 / 5.0,    5.0 / 4.0,   11.0 / 8.0,  6.0 / 4.0,
    13.0 / 8.0,  7.0 / 4.0,    15.0 / 8.0,   2.0 / 1.0,    85.0 / 40.0, 9.0 / 4.0,   19.0 / 8.0,
    5.0 / 2.0,   11.0 / 4.0,   3.0 / 1.0,    100.0 / 30.0, 7.0 / 2.0,   75.0 / 20.0, 4.0 / 1.0,
    9.0 / 2.0,   5.0 / 1.0,    11.0 / 2.0,   6.0 / 1.0,    13.0 / 2.0,  7.0 / 1.0,   15.0 / 2.0,
    8.0 / 1.0,   17.0 / 2.0,   9.0 / 1.0,    19.0 / 2.0,   10.0 / 1.0,  11.0 / 1.0,  12.0 / 1.0,
    13.0 / 1.0,  14.0 / 1.0,   15.0 / 1.0,   16.0 / 1.0,   18.0 / 1.0,  20.0 / 1.0,  22.0 / 1.0,
    25.0 / 1.0,  28.0 / 1.0,   30.0 / 1.0,   33.0 / 1.0,   40.0 / 1.0,  50.0 / 1.0,  66.0 / 1.0,
    100.0 / 1.0, 125.0 / 1.0,  150.0 / 1.0,  200.0 / 1.0,  250.0 / 1.0, 300.0 / 1.0, 400.0 / 1.0,
    500.0 / 1.0, 1000.0 / 1.0, 1250.0 / 1.0,
};

const std::array<const char*, kRule4Count> kRule4Texts = {
    "None",         "5p per \xA3",  "10p per \xA3", "15p per \xA3", "20p per \xA3", "25p per \xA3",
    "30p per \xA3", "35p per \xA3", "40p per \xA3", "45p per \xA3", "50p per \xA3", "55p per \xA3",
    "60p per \xA3", "65p per \xA3", "70p per \xA3", "75p per \xA3",
};

const std::array<int, kRule4Count> Rule4Ladder = {0,  5,  10, 15, 20, 25, 30, 35,
                                                  40, 45, 50, 55, 60, 65, 70, 75};

const std::array<const char*, 4> kResultTexts = {"Lost", "Won", "Non-Runner", "Place"};

const std::array<const char*, 3> kPlaceTermsTexts = {"1/5", "1/4", "Win Only"};

const std::array<const char*, 3> kEachWayTexts = {"Win", "E/D", "W/W P/P"};

int legResultFor(ResultChoice result, PlaceTerms terms) {
    // By result, then by place terms, as the list below works them out.
    static constexpr std::array<std::array<int, 3>, 4> kCodes = {{
        {Lost, Lost, Lost},
        {WonFifth, WonQuarter, WonWinOnly},
        {NonRunner, NonRunner, NonRunner},
        {PlacedFifth, PlacedQuarter, Lost},
    }};
    const auto row = static_cast<unsigned>(result);
    const auto column = static_cast<unsigned>(terms);
    if (row < kCodes.size() && column < kCodes[0].size()) {
        return kCodes[row][column];
    }
    switch (result) {
        case ResultChoice::Won:
            if (terms == PlaceTerms::Quarter) {
                return WonQuarter;
            }
            return terms == PlaceTerms::Fifth ? WonFifth : WonWinOnly;
        case ResultChoice::Place:
            if (terms == PlaceTerms::Quarter) {
                return PlacedQuarter;
            }
            return terms == PlaceTerms::Fifth ? PlacedFifth : Lost;
        case ResultChoice::NonRunner:
            return NonRunner;
        case ResultChoice::Lost:
            break;
    }
    return Lost;
}

LegDescription describeLegResult(int code) {
    switch (code) {
        case WonFifth:
            return {ResultChoice::Won, PlaceTerms::Fifth};
        case WonQuarter:
            return {ResultChoice::Won, PlaceTerms::Quarter};
        case WonWinOnly:
            return {ResultChoice::Won, PlaceTerms::WinOnly};
        case PlacedFifth:
            return {ResultChoice::Place, PlaceTerms::Fifth};
        case PlacedQuarter:
            return {ResultChoice::Place, PlaceTerms::Quarter};
        case NonRunner:
            return {ResultChoice::NonRunner, PlaceTerms::Fifth};
        default:
            return {ResultChoice::Lost, PlaceTerms::Fifth};
    }
}

}  // namespace quorvel
