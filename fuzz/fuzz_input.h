#pragma once
// Reads a fuzz input as a sequence of small numbers and byte strings.

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  bool empty() const { return m_at >= m_size; }
  // The next byte, 0 past the end.
  std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  // A byte string whose length is the next byte (up to 255), or `longer`
  // bytes more when that byte is 255, so that strings can pass their buffers.
  std::string Text(std::size_t longer = 0) {
    std::size_t length = Byte();
    if (length == 255) length += longer;
    std::string text;
    while (text.size() < length && m_at < m_size) text += static_cast<char>(m_data[m_at++]);
    return text;
  }
  // Everything not read yet.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(m_data) + m_at, m_size - m_at);
    m_at = m_size;
    return rest;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};
