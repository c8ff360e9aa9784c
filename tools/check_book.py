#!/usr/bin/env python3
"""Validate an opening book file (assets/a.txt format).

Each line: moves from the start position, space separated, White first.
A move is four chars like e2e4, or O-O / O-O-O. Rules: standard chess
without en passant; a pawn that reaches the last row becomes a queen, as
the game's book moves make it.

Usage: check_book.py [BOOK]   (default: assets/a.txt next to this script)
Exit status 0 when the book is valid, 1 otherwise (prints LINE:PLY).
"""
import os
import re
import sys

MIN_PLIES = 10
TOKEN = re.compile(r"^(?:[a-h][1-8][a-h][1-8]|O-O|O-O-O)$")
KNIGHT = [(1, 2), (2, 1), (2, -1), (1, -2), (-1, -2), (-2, -1), (-2, 1), (-1, 2)]
KING = [(1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0), (-1, -1), (0, -1), (1, -1)]
ROOK_DIRS = [(1, 0), (-1, 0), (0, 1), (0, -1)]
BISHOP_DIRS = [(1, 1), (1, -1), (-1, 1), (-1, -1)]


def sq(name):
    return ord(name[0]) - ord("a"), int(name[1]) - 1


class Board:
    """board[(file, rank)] = piece letter, upper case White, lower case Black."""

    def __init__(self):
        self.b = {}
        for f, p in enumerate("RNBQKBNR"):
            self.b[(f, 0)] = p
            self.b[(f, 1)] = "P"
            self.b[(f, 6)] = "p"
            self.b[(f, 7)] = p.lower()
        self.white = True
        # castling rights: K, Q (White), k, q (Black)
        self.rights = set("KQkq")

    @staticmethod
    def is_white(p):
        return p.isupper()

    def own(self, p):
        return p is not None and p.isupper() == self.white

    def attacked(self, target, by_white):
        """Is square target attacked by the side by_white?"""
        tf, tr = target
        b = self.b
        # pawns
        dr = -1 if by_white else 1
        pawn = "P" if by_white else "p"
        for df in (-1, 1):
            if b.get((tf + df, tr + dr)) == pawn:
                return True
        knight = "N" if by_white else "n"
        for df, dr2 in KNIGHT:
            if b.get((tf + df, tr + dr2)) == knight:
                return True
        king = "K" if by_white else "k"
        for df, dr2 in KING:
            if b.get((tf + df, tr + dr2)) == king:
                return True
        for dirs, sliders in ((ROOK_DIRS, "RQ"), (BISHOP_DIRS, "BQ")):
            if not by_white:
                sliders = sliders.lower()
            for df, dr2 in dirs:
                f, r = tf + df, tr + dr2
                while 0 <= f < 8 and 0 <= r < 8:
                    p = b.get((f, r))
                    if p is not None:
                        if p in sliders:
                            return True
                        break
                    f, r = f + df, r + dr2
        return False

    def king_sq(self, white):
        k = "K" if white else "k"
        for s, p in self.b.items():
            if p == k:
                return s
        raise ValueError("no king")

    def in_check(self, white):
        return self.attacked(self.king_sq(white), not white)

    def pseudo_moves(self):
        """Yield (from, to) for non-castling pseudo-legal moves (no e.p.)."""
        b = self.b
        for (f, r), p in list(b.items()):
            if not self.own(p):
                continue
            kind = p.upper()
            if kind == "P":
                d = 1 if self.white else -1
                start = 1 if self.white else 6
                one = (f, r + d)
                if 0 <= one[1] < 8 and one not in b:
                    yield (f, r), one
                    two = (f, r + 2 * d)
                    if r == start and two not in b:
                        yield (f, r), two
                for df in (-1, 1):
                    t = (f + df, r + d)
                    q = b.get(t)
                    if q is not None and not self.own(q):
                        yield (f, r), t
            elif kind in "NK":
                for df, dr in (KNIGHT if kind == "N" else KING):
                    t = (f + df, r + dr)
                    if 0 <= t[0] < 8 and 0 <= t[1] < 8 and not self.own(b.get(t)):
                        yield (f, r), t
            else:
                dirs = {"R": ROOK_DIRS, "B": BISHOP_DIRS,
                        "Q": ROOK_DIRS + BISHOP_DIRS}[kind]
                for df, dr in dirs:
                    t = (f + df, r + dr)
                    while 0 <= t[0] < 8 and 0 <= t[1] < 8:
                        q = b.get(t)
                        if q is None:
                            yield (f, r), t
                        else:
                            if not self.own(q):
                                yield (f, r), t
                            break
                        t = (t[0] + df, t[1] + dr)

    def _apply(self, frm, to):
        """Move piece, update rights; return undo info."""
        b = self.b
        saved = (dict(b), set(self.rights))
        p = b.pop(frm)
        b[to] = ("Q" if p == "P" else "q") if p in "Pp" and to[1] in (0, 7) else p
        for s, right in (((4, 0), "KQ"), ((7, 0), "K"), ((0, 0), "Q"),
                         ((4, 7), "kq"), ((7, 7), "k"), ((0, 7), "q")):
            if frm == s or to == s:
                self.rights -= set(right)
        return saved

    def castle(self, token):
        """Return error string or None; performs the castling if legal."""
        kingside = token == "O-O"
        r = 0 if self.white else 7
        right = ("K" if kingside else "Q")
        if not self.white:
            right = right.lower()
        if right not in self.rights:
            return "castling right lost"
        k, rook = ("K", "R") if self.white else ("k", "r")
        rook_from = (7, r) if kingside else (0, r)
        if self.b.get((4, r)) != k or self.b.get(rook_from) != rook:
            return "king or rook not on its square"
        between = [(5, r), (6, r)] if kingside else [(1, r), (2, r), (3, r)]
        if any(s in self.b for s in between):
            return "squares between king and rook not empty"
        path = [(4, r), (5, r), (6, r)] if kingside else [(4, r), (3, r), (2, r)]
        if any(self.attacked(s, not self.white) for s in path):
            return "king in check or passes/lands on attacked square"
        self._apply((4, r), (6 if kingside else 2, r))
        self.b[(5 if kingside else 3, r)] = self.b.pop(rook_from)
        self.white = not self.white
        return None

    def play(self, token):
        """Play a book token; return error string or None."""
        if token in ("O-O", "O-O-O"):
            return self.castle(token)
        frm, to = sq(token[:2]), sq(token[2:])
        p = self.b.get(frm)
        if p is None:
            return "no piece on " + token[:2]
        if not self.own(p):
            return "piece on %s belongs to the other side" % token[:2]
        if p.upper() == "K" and abs(frm[0] - to[0]) == 2:
            return "castling must be written O-O / O-O-O"
        if (frm, to) not in set(self.pseudo_moves()):
            return "illegal move for that piece (or en passant)"
        saved = self._apply(frm, to)
        if self.in_check(self.white):
            self.b, self.rights = saved
            return "leaves own king in check"
        self.white = not self.white
        return None


def check(path):
    with open(path, "rb") as fh:
        data = fh.read()
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError:
        return "0:0: file is not ASCII", None
    if "\r" in text:
        return "%d:0: CR character" % (text[:text.index("\r")].count("\n") + 1), None
    if not text.endswith("\n"):
        return "%d:0: file does not end with LF" % (text.count("\n") + 1), None
    lines = text[:-1].split("\n")
    seen = {}
    for n, line in enumerate(lines, 1):
        if line == "":
            return "%d:0: blank line" % n, None
        if line != line.strip() or "  " in line:
            return "%d:0: stray whitespace" % n, None
        if line in seen:
            return "%d:0: duplicate of line %d" % (n, seen[line]), None
        seen[line] = n
        tokens = line.split(" ")
        board = Board()
        for ply, tok in enumerate(tokens, 1):
            if not TOKEN.match(tok):
                return "%d:%d: bad token %r" % (n, ply, tok), None
            err = board.play(tok)
            if err:
                return "%d:%d: %s: %s" % (n, ply, tok, err), None
        if len(tokens) < MIN_PLIES:
            return "%d:%d: line shorter than %d plies" % (n, len(tokens), MIN_PLIES), None
    return None, lines


def main(argv):
    path = argv[1] if len(argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "assets", "a.txt")
    err, lines = check(path)
    if err:
        print("%s: %s" % (path, err))
        return 1
    firsts = {}
    for line in lines:
        first = line.split(" ", 1)[0]
        firsts[first] = firsts.get(first, 0) + 1
    print("lines: %d" % len(lines))
    print("distinct first moves: %d" % len(firsts))
    print("shortest line: %d plies" % min(len(l.split(" ")) for l in lines))
    for first, count in sorted(firsts.items(), key=lambda kv: (-kv[1], kv[0])):
        print("  %s: %d" % (first, count))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
