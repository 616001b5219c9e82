#include "drawing/matrix.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace tamrel {

namespace {

constexpr int MaxDimension = INT16_MAX;

}  // namespace

Matrix::Matrix(int rows, int columns) : rows_(rows), columns_(columns) {
    if (rows < 0 || columns < 0 || rows > MaxDimension || columns > MaxDimension) {
        throw std::invalid_argument("Matrix: dimension outside 0 to 32767");
    }
    values_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0.0);
}

std::size_t Matrix::index(int row, int column) const {
    assert(row >= 0 && row < rows_ && column >= 0 && column < columns_);
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column);
}

Matrix3x3 RotMatrix3x3(double t) {
    Matrix3x3 r;
    r(0, 0) = std::cos(t);
    r(0, 1) = std::sin(t);
    r(1, 0) = -std::sin(t);
    r(1, 1) = std::cos(t);
    r(2, 2) = 1;
    return r;
}

Matrix RotMatrix(double t) {
    const Matrix3x3 fixed = RotMatrix3x3(t);
    Matrix r(3, 3);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r(i, j) = fixed(i, j);
        }
    }
    return r;
}

void detail::requireShape(const Matrix& m, int rows, int columns) {
    if (m.rows() != rows || m.columns() != columns) {
        throw std::invalid_argument("Matrix: not of the expected shape");
    }
}

Matrix MatMul(const Matrix& a, const Matrix& b) {
    if (a.columns() != b.rows()) {
        throw std::invalid_argument("MatMul: the columns of A do not match the rows of B");
    }
    Matrix c(a.rows(), b.columns());
    for (std::int16_t i = 0; i < a.rows(); ++i) {
        for (std::int16_t j = 0; j < b.columns(); ++j) {
            double sum = 0;
            for (std::int16_t k = 0; k < a.columns(); ++k) {
                sum = sum + a(i, k) * b(k, j);
            }
            c(i, j) = sum;
        }
    }
    return c;
}

}  // namespace tamrel
