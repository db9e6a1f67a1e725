#pragma once
// A table with one row per element of the chapter (vowel code, or consonant
// code less 100), so that a chapter takes memory for the elements it holds
// rather than for the largest chapter a file may describe. It reads like a
// table of kMaxRows rows: a row the chapter never wrote reads as zeros, and
// writing a row adds the rows up to it.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <iterator>
#include <vector>

namespace vael {

template <typename Row, int kMaxRows>
class ElementRows {
 public:
  // Reads every row of the full table, those never written as zeros.
  class ConstIterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Row;
    using difference_type = std::ptrdiff_t;
    using pointer = const Row*;
    using reference = const Row&;

    ConstIterator() = default;
    ConstIterator(const ElementRows* table, int row) : table_(table), row_(row) {}
    reference operator*() const { return (*table_)[row_]; }
    pointer operator->() const { return &(*table_)[row_]; }
    ConstIterator& operator++() {
      ++row_;
      return *this;
    }
    ConstIterator operator++(int) {
      ConstIterator before = *this;
      ++row_;
      return before;
    }
    bool operator==(const ConstIterator& other) const { return row_ == other.row_; }

   private:
    const ElementRows* table_ = nullptr;
    int row_ = 0;
  };

  // The rows of the full table, as a fixed table would have.
  static constexpr std::size_t size() { return kMaxRows; }
  // Rows held; rows from here to kMaxRows read as zeros.
  int heldRows() const { return static_cast<int>(rows_.size()); }
  void clear() { rows_.clear(); }

  const Row& operator[](int row) const {
    return row >= 0 && row < heldRows() ? rows_[static_cast<std::size_t>(row)] : kZeroRow;
  }

  // requires: 0 <= row < kMaxRows (the analysis and the compiled chapter
  // reader check their codes against the table limits before writing).
  Row& operator[](int row) {
    assert(row >= 0 && row < kMaxRows);
    if (row < 0 || row >= kMaxRows) {
      // Outside the table: a row of its own, so that nothing else is hit.
      spare_ = Row{};
      return spare_;
    }
    if (row >= heldRows()) rows_.resize(static_cast<std::size_t>(row) + 1, Row{});
    return rows_[static_cast<std::size_t>(row)];
  }

  ConstIterator begin() const { return ConstIterator(this, 0); }
  ConstIterator end() const { return ConstIterator(this, kMaxRows); }
  // Writing through every row holds them all; the program's own code reads
  // and writes row by row instead.
  typename std::vector<Row>::iterator begin() {
    rows_.resize(kMaxRows, Row{});
    return rows_.begin();
  }
  typename std::vector<Row>::iterator end() {
    rows_.resize(kMaxRows, Row{});
    return rows_.end();
  }

  bool operator==(const ElementRows& other) const {
    const int rows = std::max(heldRows(), other.heldRows());
    for (int row = 0; row < rows; ++row) {
      if ((*this)[row] != other[row]) return false;
    }
    return true;
  }

 private:
  static inline const Row kZeroRow{};
  std::vector<Row> rows_;
  Row spare_{};
};

}  // namespace vael
