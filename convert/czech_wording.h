// Numbers in Czech sentences: the plural forms after a count and amounts in crowns.
#pragma once

#include <cstdint>
#include <string>

namespace trelvan {

// "Převedena 1 položka v 1 výpisu", "Převedeny 3 položky ve 3 výpisech",
// "Převedeno 7 položek ve 2 výpisech": the verb and the noun agree with the count, and "ve"
// stands before the numbers spoken with "dv", "tř" or "čt" first.
std::string ConvertedCounts(std::uint64_t items, std::uint64_t statements);

// "1 položka", "3 položky", "7 položek".
std::string ItemCount(std::uint64_t items);

// An amount of hundredths as Czech text: "1 234,56", "-0,05".
std::string Crowns(std::int64_t hundredths);
// The same without its sign: how far apart two amounts lie, "0,30".
std::string CrownsApart(std::int64_t difference);

}  // namespace trelvan
