"""The rules of the score sheet, written again from the rules for the checks under Wine: what
the dice score in each category, the sums and bonuses, and a plain choice of category."""

CATEGORIES = ["Einer", "Zweier", "Dreier", "Vierer", "Fünfer", "Sechser", "Dreierpasch",
              "Viererpasch", "Full House", "Kleine Straße", "Große Straße", "Kubiq", "Chance"]


def tips(faces, scores):
    """The tip row after a roll: None for a closed category or one the dice do not fit."""
    counts = {face: faces.count(face) for face in range(1, 7)}
    most = max(counts.values())
    most_face = max(face for face in range(1, 7) if counts[face] == most)
    present = {face for face in faces}

    def run(length):
        return any(all(f in present for f in range(start, start + length)) for start in range(1, 8 - length))

    fits = [(counts[f] > 0, f * counts[f]) for f in range(1, 7)] + [
        (most >= 3, 3 * most_face),
        (most >= 4, 4 * most_face),
        (sorted(counts.values())[-2:] == [2, 3], 25),
        (run(4), 30),
        (run(5), 40),
        (most == 5, 50),
        (True, sum(faces)),
    ]
    return [points if fit and scores[c] is None else None for c, (fit, points) in enumerate(fits)]


def sums(scores):
    """The sum cells by their spoken names; all None before the first entry."""
    names = ["GESAMT oben", "BONUS oben", "SUMME 1", "GESAMT unten", "BONUS unten", "SUMME 2", "TOTAL"]
    if all(s is None for s in scores):
        return dict.fromkeys(names)
    upper = sum(s or 0 for s in scores[:6])
    lower = sum(s or 0 for s in scores[6:])
    upper_bonus = 35 if upper >= 65 else None
    lower_bonus = 100 if lower >= 200 else None
    summe1, summe2 = upper + (upper_bonus or 0), lower + (lower_bonus or 0)
    return dict(zip(names, [upper, upper_bonus, summe1, lower, lower_bonus, summe2, summe1 + summe2]))


def choose(tips_now, scores):
    """The open category with the highest tip (the first on a tie; an open one scoring nothing
    when none fits)."""
    open_ = [c for c in range(13) if scores[c] is None]
    return max(open_, key=lambda c: (tips_now[c] if tips_now[c] is not None else -1, -c))
