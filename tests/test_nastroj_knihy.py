#!/usr/bin/env python3
"""tools/kniha.py without the engine: its reading of a book must be the game's,
and its positions must follow our rules, or the report measures another book
and the generator writes moves the game refuses."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import kniha  # noqa: E402


def perft(pozice, hloubka):
    if hloubka == 0:
        return 1
    return sum(perft(pozice.zahraj(t), hloubka - 1) for t in pozice.tahy())


class CteniJakoHra(unittest.TestCase):
    """The same trees as tests/test_knihovna.cpp builds in the game."""

    def test_trees(self):
        mimo = "mimo"
        tabulka = [
            (b"e2e4 e7e5 g1f3\ne2e4 c7c5\nd2d4 d7d5\n",
             [{3133: 3, 4143: 1}, {4644: 2, 2624: mimo}, {6052: mimo}, {3634: mimo}]),
            # A line that continues an ended line gets the next free node.
            (b"e2e4 e7e5\nd2d4 d7d5 c2c4\ne2e4 e7e5 g1f3 b8c6\n",
             [{4143: 1, 3133: 2}, {4644: 4}, {3634: 3}, {2123: mimo}, {6052: 5}, {1725: mimo}]),
            # Blank lines end the book; CR and tabs are spaces; odd tokens keep their codes.
            (b"  e2e4 \t e7e5 \r\nexd5 Nf3\n\nd2d4 d7d5\n",
             [{4143: 1, 14034: 2}, {4644: mimo}, {0: mimo}]),
            (b"", []),
        ]
        for data, ocekavane in tabulka:
            with self.subTest(data=data):
                knihovna, _ = kniha.nactiknihovnu(data)
                n = len(knihovna)
                self.assertEqual(knihovna, [{k: n if v == mimo else v for k, v in u.items()}
                                            for u in ocekavane])

    def test_dead_lines_and_answers(self):
        tabulka = [
            # c7c5 is smaller than e7e5: the line with e7e5 is dead.
            (b"e2e4 e7e5 g1f3\ne2e4 c7c5 g1f3\n", [False, True], 19),
            # An entry that is no legal move is passed over.
            (b"e2e4 a1a1\ne2e4 c8a6\ne2e4 d7d5\n", [False, False, True], 19),
            # Black's castling is O-O; the king's move e8g8 is never played.
            (b"g1f3 g8f6 g2g3 g7g6 f1g2 f8g7 O-O O-O\n", [True], 19),
            (b"g1f3 g8f6 g2g3 g7g6 f1g2 f8g7 O-O e8g8\n", [False], 19),
            # A White move the rules refuse kills its line.
            (b"e2e5 e7e5\nd2d4 d7d5\n", [False, True], 19),
        ]
        for data, hratelne, chybi in tabulka:
            with self.subTest(data=data):
                knihovna, radky = kniha.nactiknihovnu(data)
                self.assertEqual([kniha.hratelna(knihovna, r) for r in radky], hratelne)
                self.assertEqual(len(kniha.bezodpovedi(knihovna)), chybi)

    def test_reached_positions(self):
        # After 1.e4 c5 the book answers only 2.Nf3; 1.d4 is answered and ends there.
        knihovna, _ = kniha.nactiknihovnu(b"e2e4 c7c5 g1f3 d7d6\ne2e4 e7e5\nd2d4 d7d5\n")
        bile, cerne = kniha.dosazene(knihovna)
        self.assertEqual(sorted(p for p, _, _ in bile), [0, 2, 2, 4])
        self.assertEqual(sorted((p, t) for p, _, t in cerne), [(1, "c7c5"), (1, "d7d5"), (3, "d7d6")])


class Pravidla(unittest.TestCase):
    def test_counts_from_the_start(self):
        start = kniha.Pozice()
        self.assertEqual([perft(start, h) for h in (1, 2, 3)], [20, 400, 8902])

    def test_positions(self):
        tabulka = [
            # No en passant after a double step beside an enemy pawn.
            ("4k3/8/8/8/1p6/8/P7/4K3 w - - 0 1", "a2a4", "b4b3 e8d7 e8d8 e8e7 e8f7 e8f8"),
            # Castling: not through an attacked square (f1), but the queen's
            # side, where only b1 is attacked, is allowed.
            ("1r2k3/8/8/8/8/8/8/R3K2R b KQ - 0 1", "b8f8", "a1a2 a1a3 a1a4 a1a5 a1a6 a1a7 a1a8 "
             "a1b1 a1c1 a1d1 e1c1 e1d1 e1d2 e1e2 h1f1 h1g1 h1h2 h1h3 h1h4 h1h5 h1h6 h1h7 h1h8"),
            # A pawn of the book becomes a queen, the only promotion offered.
            ("4k3/8/8/8/8/8/1p6/4K3 w - - 0 1", "e1d1", "b2b1q e8d7 e8d8 e8e7 e8f7 e8f8"),
        ]
        for fen, tah, ocekavane in tabulka:
            with self.subTest(fen=fen):
                self.assertEqual(kniha.Pozice(fen).zahraj(tah).tahy(), ocekavane.split())

    def test_castling_rights_and_notation(self):
        pozice = kniha.Pozice("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1")
        self.assertEqual(pozice.zapis("e1g1"), "O-O")
        self.assertEqual(pozice.zapis("e1c1"), "O-O-O")
        self.assertEqual(pozice.kod("e1c1"), 9)
        self.assertEqual(pozice.zahraj("h1h8").fen(), "r3k2R/8/8/8/8/8/8/R3K3 b Qq - 0 1")
        self.assertEqual(pozice.zahraj("e1e2").zahraj("e8g8").fen(),
                         "r4rk1/8/8/8/8/8/4K3/R6R w - - 2 2")


class Generator(unittest.TestCase):
    class Motor:
        """Ranks moves by their text: enough to give the tree its shape."""

        def nejlepsi(self, pozice, hloubka, multipv=1):
            return [(t, 0) for t in pozice.tahy()[:multipv]]

    def test_shape(self):
        radky = kniha.generuj(self.Motor(), 1, pultahu=4)
        self.assertEqual(len(radky), 20 * 3)
        self.assertTrue(all(len(r) == 4 for r in radky))
        data = "".join(" ".join(r) + "\n" for r in radky).encode()
        self.assertEqual(kniha.vadyknihy(data), [])
        knihovna, _ = kniha.nactiknihovnu(data)
        self.assertEqual(kniha.bezodpovedi(knihovna), [])


if __name__ == "__main__":
    unittest.main()
