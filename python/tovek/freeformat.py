"""Sequential reading of the problem files, with the engine's own rules.

Text records take a whole line. A free-format read of a list of values
starts at the beginning of the next line, takes values separated by blanks
or commas, goes on over as many lines as it needs, and skips the rest of its
last line (which may carry comments or extra values). A repeat count
``r*value`` stands for r values; a null value (two commas in a row, or a comma
first on the read) and a slash that would end a read early are refused, as
the engine refuses them.

Errors are :class:`InputFileError` with the file, the line and what was
expected, in the words of the engine's messages.
"""

from __future__ import annotations

import re
import sys
from dataclasses import dataclass
from pathlib import Path

INT32_MIN = -(2**31)
INT32_MAX = 2**31 - 1

_BLANKS = " \t\r\f\v"
_REAL = re.compile(r"[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[EeDd][+-]?[0-9]+)?\Z")
_INTEGER = re.compile(r"[+-]?[0-9]+\Z")


class ProblemError(ValueError):
    """A problem that the engine would refuse: a value out of range, a count
    over a limit, a missing record. The message names the field (and the
    row) it is about."""


class InputFileError(ProblemError):
    """A problem file that cannot be read as the engine reads it."""

    def __init__(self, file: str, line: int, detail: str):
        self.file = file
        self.line = line
        self.detail = detail
        where = f'file "{file}"' + (f", line {line}" if line > 0 else "")
        super().__init__(f"{where}: {detail}")


def parse_integer(text: str) -> int | None:
    """A whole number as the engine takes it: optional sign and digits, in
    the 32-bit range; None when the text is not one."""
    if not _INTEGER.match(text):
        return None
    value = int(text)
    if value < INT32_MIN or value > INT32_MAX:
        return None
    return value


def parse_real(text: str) -> float | None:
    """A real as the engine takes it: [sign] digits [. digits] [E|D [sign]
    digits], at least one digit before the exponent. Overflow is not a
    value; underflow reads as zero. None when the text is not one."""
    if not _REAL.match(text):
        return None
    value = float(text.replace("D", "E").replace("d", "e"))
    if value in (float("inf"), float("-inf")):
        return None
    if value != 0.0 and abs(value) < sys.float_info.min:
        return 0.0
    return value


def split_lines(content: str) -> list[str]:
    """The lines of a file, without their line ends (a carriage return before
    the line feed is dropped)."""
    if not content:
        return []
    lines = content.split("\n")
    if content.endswith("\n"):
        lines.pop()
    return [line[:-1] if line.endswith("\r") else line for line in lines]


def read_text_file(path: Path) -> str:
    """The text of a problem file, byte for byte (Latin-1)."""
    return path.read_bytes().decode("latin-1")


@dataclass
class Token:
    text: str
    line: int


class ValueList:
    """The values of one free-format read, converted item by item."""

    def __init__(self, reader: "FreeFormatReader", what: str, tokens: list[Token]):
        self._reader = reader
        self.what = what
        self.tokens = tokens

    def _within(self, name: str) -> str:
        return "" if name == self.what else f" in {self.what}"

    def line(self, index: int) -> int:
        return self.tokens[index - 1].line

    def integer(self, index: int, name: str) -> int:
        token = self.tokens[index - 1]
        value = parse_integer(token.text)
        if value is None:
            raise InputFileError(
                self._reader.file_name, token.line,
                f'expected a whole number (digits only) for {name}{self._within(name)}, found "{token.text}"')
        return value

    def real(self, index: int, name: str) -> float:
        token = self.tokens[index - 1]
        value = parse_real(token.text)
        if value is None:
            raise InputFileError(
                self._reader.file_name, token.line,
                f'expected a number for {name}{self._within(name)}, found "{token.text}"')
        return value


class FreeFormatReader:
    """Reads a problem file line by line as the engine does."""

    def __init__(self, file_name: str, content: str):
        self.file_name = file_name
        self.lines = split_lines(content)
        self.next = 0

    @classmethod
    def open(cls, path: Path, file_name: str | None = None) -> "FreeFormatReader":
        name = file_name if file_name is not None else str(path)
        if path.is_dir():
            raise InputFileError(name, 0, "this names a folder, not a file; expected a text file to read")
        try:
            content = read_text_file(path)
        except OSError as error:
            raise InputFileError(name, 0, f"the file cannot be opened for reading ({error.strerror})") from None
        return cls(name, content)

    def at_end(self) -> bool:
        return self.next >= len(self.lines)

    @property
    def next_line_number(self) -> int:
        return self.next + 1

    def text_line(self) -> str | None:
        """The next line as it stands, or None at the end of the file."""
        if self.at_end():
            return None
        line = self.lines[self.next]
        self.next += 1
        return line

    def text(self, width: int, what: str) -> str:
        """The next line cut to `width` characters (trailing blanks
        dropped); the end of the file is an error naming `what`."""
        if self.at_end():
            raise InputFileError(self.file_name, self.next_line_number, f"the file ends here; expected {what}")
        line = self.lines[self.next][:width]
        self.next += 1
        return line.rstrip(" ")

    def read(self, count: int, what: str) -> ValueList:
        """One free-format read of `count` values."""
        tokens: list[Token] = []
        value_since_separator = False
        while len(tokens) < count:
            if self.at_end():
                raise InputFileError(
                    self.file_name, self.next_line_number,
                    f"the file ends here; expected {what} ({count} values, {len(tokens)} found)")
            number = self.next_line_number
            line = self.lines[self.next]
            self.next += 1
            k = 0
            while k < len(line) and len(tokens) < count:
                c = line[k]
                if c in _BLANKS:
                    k += 1
                    continue
                if c == ",":
                    if not value_since_separator:
                        raise InputFileError(self.file_name, number,
                                             f"an empty value between commas in {what}; every value must be given")
                    value_since_separator = False
                    k += 1
                    continue
                if c == "/":
                    raise InputFileError(self.file_name, number,
                                         f"a slash ends {what} early; expected {count} values")
                end = k
                while end < len(line) and line[end] not in _BLANKS and line[end] != ",":
                    end += 1
                item = line[k:end]
                k = end
                value_since_separator = True
                star = item.find("*")
                if star >= 0:
                    repeat = parse_integer(item[:star])
                    if repeat is None or repeat < 1 or star + 1 == len(item):
                        raise InputFileError(self.file_name, number, f'unreadable value "{item}" in {what}')
                    value = item[star + 1:]
                    for _ in range(repeat):
                        if len(tokens) >= count:
                            break
                        tokens.append(Token(value, number))
                    continue
                tokens.append(Token(item, number))
        return ValueList(self, what, tokens)

    def read_integer(self, what: str) -> int:
        return self.read(1, what).integer(1, what)

    def read_real(self, what: str) -> float:
        return self.read(1, what).real(1, what)


@dataclass
class LineValues:
    """The values written on one line alone (the pile line)."""

    values: list[float]
    stopped_at_empty_value: bool = False
    stopped_at_item: str = ""


def values_on_line(line: str, limit: int) -> LineValues:
    """The values on `line` alone, at most `limit`. Counting stops at the
    first item that is not a number (so the rest of the line may carry a
    comment) and at an empty value between two commas."""
    result = LineValues([])
    value_since_comma = False
    k = 0
    while k < len(line) and len(result.values) < limit:
        c = line[k]
        if c in _BLANKS:
            k += 1
            continue
        if c == ",":
            if not value_since_comma:
                result.stopped_at_empty_value = True
                break
            value_since_comma = False
            k += 1
            continue
        end = k
        while end < len(line) and line[end] not in _BLANKS and line[end] != ",":
            end += 1
        item = line[k:end]
        k = end
        value_since_comma = True
        repeat = 1
        number = item
        star = item.find("*")
        if star >= 0:
            parsed = parse_integer(item[:star])
            if parsed is None or parsed < 1:
                result.stopped_at_item = item
                break
            repeat = parsed
            number = item[star + 1:]
        value = parse_real(number)
        if value is None:
            result.stopped_at_item = item
            break
        for _ in range(repeat):
            if len(result.values) >= limit:
                break
            result.values.append(value)
    return result
