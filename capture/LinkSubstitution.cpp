#include "capture/LinkSubstitution.h"

#include "capture/NameMatcher.h"
#include "capture/RadixSort.h"
#include "capture/SafeMarkup.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

namespace varrow
{

namespace
{

// The numbers of links, pieces, occurrences and passes, and the lengths within one link, are kept
// in 32 bits: the bookkeeping of a page with many links then takes half the memory. Reaching the
// limit would take far more memory than any machine has for the rest of the bookkeeping.
using Index = std::uint32_t;
constexpr Index kNone = std::numeric_limits<Index>::max();

Index narrowed(std::size_t value)
{
    if (value >= kNone)
        throw std::length_error("too many links for the source page");
    return static_cast<Index>(value);
}

// Which places of a text space are covered, one bit per place.
class CoveredPlaces
{
public:
    void extendTo(std::size_t places) { m_words.resize((places + kBits - 1) / kBits); }

    bool anyIn(std::size_t begin, std::size_t end) const
    {
        for (std::size_t word = begin / kBits; word * kBits < end; ++word)
            if (m_words[word] & mask(word, begin, end))
                return true;
        return false;
    }

    void cover(std::size_t begin, std::size_t end)
    {
        for (std::size_t word = begin / kBits; word * kBits < end; ++word)
            m_words[word] |= mask(word, begin, end);
    }

private:
    static constexpr std::size_t kBits = 64;

    // The bits of `word` that lie in [begin, end).
    static std::uint64_t mask(std::size_t word, std::size_t begin, std::size_t end)
    {
        const std::size_t first = word * kBits;
        std::uint64_t bits = ~std::uint64_t{0};
        if (begin > first)
            bits &= bits << (begin - first);
        if (end < first + kBits)
            bits &= (std::uint64_t{1} << (end - first)) - 1;
        return bits;
    }

    std::vector<std::uint64_t> m_words;
};

// A link's markup, kept in the substitution's arena, with where its address and name stand.
struct AnchorSpan {
    std::size_t begin; // in the arena
    Index length;
    Index addressBegin; // these four relative to begin
    Index addressEnd;
    Index nameBegin;
    Index nameEnd;
};

// The current text is a tree of pieces: a piece is a string in which some spans have been cut
// out and replaced by other pieces (the links inserted there). Only the address and the name of a
// piece are searched, so every match lies inside the uncut text of one piece.
//
// Every piece has its own range of one shared text space, the root's first and each link's after
// those of the pieces before it. A cut is a range of that space, so one bitmap tells whether a
// span overlaps an earlier cut, and one sorted list holds every piece's cuts in order.
class PieceTree
{
public:
    // `rootLength`: the length of the escaped root.
    PieceTree(const EscapedText& root, std::size_t rootLength)
        : m_root(root), m_rootLength(rootLength), m_nextPlace(rootLength), m_length(rootLength)
    {
        m_pieces.push_back({0, kRoot, false, false});
        m_covered.extendTo(m_nextPlace);
    }

    // Where a piece may be searched, relative to the piece, and whether that stands inside an
    // address.
    struct Region {
        std::size_t begin;
        std::string_view text;
        bool inAddress;
    };
    using Regions = std::array<Region, 2>;
    // Those of a link.
    Regions regions(Index index) const
    {
        const Piece& piece = m_pieces[index];
        const AnchorSpan& anchor = m_anchors[piece.anchor];
        const std::string_view text = anchorText(piece.anchor);
        return {
            {{anchor.addressBegin,
              text.substr(anchor.addressBegin, anchor.addressEnd - anchor.addressBegin), true},
             {anchor.nameBegin, text.substr(anchor.nameBegin, anchor.nameEnd - anchor.nameBegin),
              piece.inAddress}}};
    }

    std::size_t length() const { return m_length; }

    // Makes room for the plain links of `passes` passes, `links` cuts and `markupLength` bytes of
    // links' markup. Room that stays unused costs no memory, as its pages are never touched.
    void reserve(std::size_t passes, std::size_t links, std::size_t markupLength)
    {
        m_anchors.reserve(passes);
        m_pieces.reserve(1 + links);
        m_cuts.reserve(links);
        m_arena.reserve(markupLength);
    }

    // Keeps `anchor`'s markup and returns its number for tryCut.
    Index addAnchor(const Anchor& anchor)
    {
        m_anchors.push_back(
            {m_arena.size(), narrowed(anchor.markup.size()),
             static_cast<Index>(anchor.addressBegin), static_cast<Index>(anchor.addressEnd),
             static_cast<Index>(anchor.nameBegin), static_cast<Index>(anchor.nameEnd)});
        m_arena.append(anchor.markup);
        return narrowed(m_anchors.size() - 1);
    }
    std::size_t anchorLength(std::size_t anchor) const { return m_anchors[anchor].length; }

    // Whether [start, start + length) of `piece` overlaps a span cut out of it before.
    bool overlapsCut(std::size_t piece, std::size_t start, std::size_t length) const
    {
        const std::size_t place = m_pieces[piece].place + start;
        return m_covered.anyIn(place, place + length);
    }

    // Replaces [start, start + length) of `piece` by a new piece showing anchor number `anchor`
    // and returns true with the new piece's index in `added`; returns false when the span
    // overlaps one that was cut before.
    bool tryCut(Index piece, std::size_t start, std::size_t length, Index anchor, bool inAddress,
                Index& added)
    {
        if (overlapsCut(piece, start, length))
            return false;
        const std::size_t place = m_pieces[piece].place + start;
        m_covered.cover(place, place + length);
        added = narrowed(m_pieces.size());
        m_cuts.push_back({place, place + length, added});
        m_pieces[piece].hasCuts = true;
        m_pieces.push_back({m_nextPlace, anchor, inAddress, false});
        m_nextPlace += anchorLength(anchor);
        m_covered.extendTo(m_nextPlace);
        m_length += anchorLength(anchor) - length;
        return true;
    }

    // Puts the cuts in text order and lets go of what only cutting needs; after that, no more
    // cuts are made.
    void finishCutting()
    {
        m_covered = {};
        radixSort(
            m_cuts, [](const Cut& cut) { return std::uint64_t{cut.begin}; }, m_nextPlace);
    }

    // Hands the whole current text to `sink`, piece by piece. Links nest as deep as the passes go,
    // so this walks with a stack of its own instead of recursing.
    void forEachPiece(const TextPieceSink& sink) const
    {
        struct Frame {
            std::size_t piece;
            std::size_t nextCut;
            std::size_t position; // in the text space
        };
        auto frameFor = [&](std::size_t piece) {
            const std::size_t place = m_pieces[piece].place;
            const auto firstCut = std::partition_point(
                m_cuts.begin(), m_cuts.end(), [&](const Cut& cut) { return cut.begin < place; });
            return Frame{piece, static_cast<std::size_t>(firstCut - m_cuts.begin()), place};
        };
        // The root's spans come in order, so one reader escapes them as they are handed on.
        EscapedText::Reader root(m_root);
        std::vector<Frame> stack{frameFor(0)};
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const Piece& piece = m_pieces[frame.piece];
            const bool isRoot = piece.anchor == kRoot;
            const std::size_t end =
                piece.place + (isRoot ? m_rootLength : m_anchors[piece.anchor].length);
            const bool last = frame.nextCut == m_cuts.size() || m_cuts[frame.nextCut].begin >= end;
            const std::size_t spanEnd = last ? end : m_cuts[frame.nextCut].begin;
            if (isRoot)
                root.readTo(spanEnd, sink); // the root's place is 0
            else
                sink(anchorText(piece.anchor)
                         .substr(frame.position - piece.place, spanEnd - frame.position));
            if (last) {
                stack.pop_back();
                continue;
            }
            const Cut& cut = m_cuts[frame.nextCut];
            if (isRoot)
                root.skipTo(cut.end);
            frame.position = cut.end;
            ++frame.nextCut;
            if (m_pieces[cut.piece].hasCuts)
                stack.push_back(frameFor(cut.piece));
            else
                sink(anchorText(m_pieces[cut.piece].anchor)); // as most links are, whole
        }
    }

private:
    static constexpr Index kRoot = kNone;

    struct Piece {
        std::size_t place; // where its text begins in the text space
        Index anchor;      // kRoot for the text itself
        bool inAddress;    // the piece stands inside another link's address
        bool hasCuts;      // some of its text is cut out
    };
    struct Cut {
        std::size_t begin; // in the text space
        std::size_t end;
        Index piece; // the piece shown in its place
    };

    std::string_view anchorText(Index index) const
    {
        const AnchorSpan& anchor = m_anchors[index];
        return std::string_view(m_arena).substr(anchor.begin, anchor.length);
    }

    EscapedText m_root;
    std::size_t m_rootLength;
    std::string m_arena; // every anchor's markup, one after the other
    std::vector<AnchorSpan> m_anchors;
    std::vector<Piece> m_pieces;
    std::vector<Cut> m_cuts;
    CoveredPlaces m_covered;
    std::size_t m_nextPlace;
    std::size_t m_length; // of the whole current text
};

// The passes that look for each distinct name, in pass order.
class PassesByName
{
public:
    explicit PassesByName(const std::vector<Substitution>& passes)
    {
        std::vector<Index> order;
        order.reserve(passes.size());
        for (std::size_t pass = 0; pass < passes.size(); ++pass)
            if (!passes[pass].name.empty())
                order.push_back(narrowed(pass));
        std::stable_sort(order.begin(), order.end(),
                         [&](Index a, Index b) { return passes[a].name < passes[b].name; });
        m_passes.reserve(order.size());
        for (const Index pass : order) {
            if (m_names.empty() || m_names.back() != passes[pass].name) {
                m_names.push_back(passes[pass].name);
                m_firstPass.push_back(static_cast<Index>(m_passes.size()));
            }
            m_passes.push_back(pass);
        }
        m_firstPass.push_back(static_cast<Index>(m_passes.size()));
    }

    // The distinct names, in byte order.
    const std::vector<std::string_view>& names() const { return m_names; }

    template <typename OnPass> void forEachPass(std::size_t name, OnPass&& onPass) const
    {
        for (Index i = m_firstPass[name]; i < m_firstPass[name + 1]; ++i)
            onPass(m_passes[i]);
    }

private:
    std::vector<std::string_view> m_names;
    std::vector<Index> m_firstPass; // per name, into m_passes; one more at the end
    std::vector<Index> m_passes;
};

// How many occurrences of names the substitution notes for a text of `rootSourceLength` bytes.
// Real pages hold a few thousand per megabyte; names that occur inside each other ("0", "00",
// "000", ...) can hold as many as the text's length times the number of names, which no memory
// holds. Past the budget, the passes still to run are stopped.
std::size_t occurrenceBudget(std::size_t rootSourceLength)
{
    constexpr std::size_t kAlways = std::size_t{1} << 19;
    return kAlways + rootSourceLength / 32;
}

class SequentialSubstitution
{
public:
    // `rootSourceLength`: the length of the text that the root escapes.
    SequentialSubstitution(const std::vector<Substitution>& passes, std::size_t rootSourceLength)
        : m_passes(passes), m_byName(passes), m_matcher(m_byName.names(), rootSourceLength),
          m_maxOccurrences(occurrenceBudget(rootSourceLength)),
          m_pending(passes.size()), m_anchorOfPass{std::vector<Index>(passes.size(), kNone),
                                                   std::vector<Index>(passes.size(), kNone)}
    {
        // Room that stays unused costs no memory, and the list never moves while it grows.
        m_occurrences.reserve(m_maxOccurrences);
    }

    PieceTree run(const EscapedText& root, const SubstitutedText::LengthBound& maxLengthFor)
    {
        if (m_byName.names().empty())
            return PieceTree(root, root.length());
        const std::size_t rootLength = searchRoot(root);
        m_maxLength = maxLengthFor(rootLength);
        m_tree.emplace(root, rootLength);
        // Each occurrence in the text is a link to be, unless its pass fails, and most passes
        // insert their plain link; only links that later passes find inside links need more.
        std::size_t markupLength = 0;
        for (const Substitution& pass : m_passes)
            markupLength += kAnchorTagLength + pass.address.size() + pass.name.size();
        m_tree->reserve(m_passes.size(), m_occurrences.size(), markupLength);
        // Once the occurrences fill their budget, the pass under way still makes its links, and
        // every later pass is stopped: the text stays as those before left it.
        for (std::size_t pass = 0; pass < m_passes.size() && !m_budgetSpent; ++pass) {
            if (!fits(pass))
                continue; // the pass fails and leaves the text as it was
            for (LinkMatches& link : m_linkMatches)
                link.searched = false;
            forEachPending(pass, [&](const Occurrence& occurrence) {
                Index added = 0;
                if (m_tree->tryCut(occurrence.piece, occurrence.start, m_passes[pass].name.size(),
                                   anchorOf(pass, occurrence.inAddress), occurrence.inAddress,
                                   added))
                    registerMatches(added, occurrence.inAddress, pass + 1);
            });
        }
        m_tree->finishCutting();
        return std::move(*m_tree);
    }

private:
    static constexpr std::size_t kAnchorTagLength = std::string_view("<a href=''></a>").size();

    // The part of the budget that each stretch of the root's search may hold back.
    static constexpr std::size_t kHeldShare = 8;

    // Ends a search whose matches no longer fit the budget.
    struct BudgetSpent {
    };

    struct Occurrence {
        std::size_t start;
        Index piece;
        Index next; // the pass's next occurrence, or kNone
        bool inAddress;
    };
    // An occurrence of name number `name` in a link's text, `start` bytes into it.
    struct LinkMatch {
        Index name;
        Index start;
        bool inAddress;
    };
    // The occurrences in one form of the current pass's link, once it has been searched.
    struct LinkMatches {
        bool searched = false;
        std::vector<LinkMatch> matches;
    };
    // The occurrences that a pass will look at, in the order they were found: a list threaded
    // through one vector, so that many passes cost no allocation each.
    struct PendingList {
        Index first = kNone;
        Index last = kNone;
    };

    // Runs `search`, a search of the names; returns false, with the budget spent, when its
    // matches overflowed the budget and ended it.
    template <typename Search> bool withinBudget(Search&& search)
    {
        try {
            search();
            return !m_budgetSpent;
        } catch (const BudgetSpent&) {
        } catch (const NameMatcher::TooManyHeld&) {
        }
        m_budgetSpent = true;
        return false;
    }

    // Hands each a copy, as `on` may add occurrences for later passes.
    template <typename OnOccurrence> void forEachPending(std::size_t pass, OnOccurrence&& on) const
    {
        for (Index at = m_pending[pass].first; at != kNone;) {
            const Occurrence occurrence = m_occurrences[at];
            on(occurrence);
            at = occurrence.next;
        }
    }

    // The only search of the root, all of which is searched as it is escaped: it has no address.
    // The same pass measures it, and returns its length. The escaped text comes in long pieces,
    // which the search follows several stretches at a time.
    // A root whose matches overflow the budget is measured apart, and no pass runs.
    std::size_t searchRoot(const EscapedText& root)
    {
        // Matches that the search holds back become occurrences: they share the budget.
        NameMatcher::Search search(m_matcher, m_maxOccurrences / kHeldShare);
        EscapedText::Reader reader(root);
        const bool searched = withinBudget([&] {
            reader.readTo(std::string_view::npos, [&](std::string_view piece) {
                search.feed(piece, [&](std::size_t name, std::size_t start) {
                    registerMatch(name, {start, 0, kNone, false}, 0);
                    if (m_budgetSpent)
                        throw BudgetSpent{};
                });
            });
        });
        return searched ? reader.position() : root.length();
    }

    // Whether the text stays within m_maxLength once `pass` has replaced those of its occurrences
    // that it will: one piece's occurrences come from one search per region, so they are together
    // and in order. Most passes fit even if every occurrence were replaced, which needs no look at
    // the cuts.
    bool fits(std::size_t pass)
    {
        const std::size_t nameLength = m_passes[pass].name.size();
        auto growth = [&](const Occurrence& occurrence) {
            return m_tree->anchorLength(anchorOf(pass, occurrence.inAddress)) - nameLength;
        };
        std::size_t length = m_tree->length();
        forEachPending(pass, [&](const Occurrence& occurrence) { length += growth(occurrence); });
        if (length <= m_maxLength)
            return true;
        length = m_tree->length();
        Index piece = kNone;
        std::size_t pieceEnd = 0; // of the last occurrence taken in `piece`
        bool fitting = true;
        forEachPending(pass, [&](const Occurrence& occurrence) {
            if (!fitting || (occurrence.piece == piece && occurrence.start < pieceEnd))
                return;
            if (m_tree->overlapsCut(occurrence.piece, occurrence.start, nameLength))
                return;
            piece = occurrence.piece;
            pieceEnd = occurrence.start + nameLength;
            length += growth(occurrence);
            fitting = length <= m_maxLength;
        });
        return fitting;
    }

    // Each pass's two forms of its link, built when first needed.
    Index anchorOf(std::size_t pass, bool inAddress)
    {
        Index& anchor = m_anchorOfPass[inAddress ? 1 : 0][pass];
        if (anchor == kNone) {
            const Substitution& substitution = m_passes[pass];
            anchor = m_tree->addAnchor(
                inAddress ? anchorInAddress(substitution.address, substitution.name)
                          : anchorFor(substitution.address, substitution.name));
        }
        return anchor;
    }

    // Notes every occurrence in `piece`, a link of the current pass in its plain or quoted form,
    // for the passes from `firstPass` on that look for it. The pass inserts the same text each
    // time, so each form is searched once.
    void registerMatches(Index piece, bool quoted, std::size_t firstPass)
    {
        if (m_budgetSpent)
            return;
        LinkMatches& link = m_linkMatches[quoted ? 1 : 0];
        if (!link.searched) {
            link.searched = true;
            link.matches.clear();
            const bool searched = withinBudget([&] {
                for (const PieceTree::Region& region : m_tree->regions(piece))
                    m_matcher.forEachMatch(
                        region.text,
                        [&](std::size_t name, std::size_t start) {
                            if (link.matches.size() + m_occurrences.size() >= m_maxOccurrences)
                                throw BudgetSpent{};
                            link.matches.push_back(
                                {narrowed(name), narrowed(region.begin + start), region.inAddress});
                        },
                        m_maxOccurrences / kHeldShare);
            });
            if (!searched) {
                link.matches = {};
                return;
            }
        }
        for (const LinkMatch& match : link.matches)
            registerMatch(match.name, {match.start, piece, kNone, match.inAddress}, firstPass);
    }

    // Notes an occurrence of name number `name` for the passes from `firstPass` on that look
    // for it.
    void registerMatch(std::size_t name, const Occurrence& occurrence, std::size_t firstPass)
    {
        m_byName.forEachPass(name, [&](Index pass) {
            if (pass >= firstPass)
                addPending(pass, occurrence);
        });
    }

    void addPending(std::size_t pass, const Occurrence& occurrence)
    {
        if (m_occurrences.size() >= m_maxOccurrences) {
            m_budgetSpent = true;
            return;
        }
        PendingList& list = m_pending[pass];
        const Index added = narrowed(m_occurrences.size());
        m_occurrences.push_back(occurrence);
        (list.last == kNone ? list.first : m_occurrences[list.last].next) = added;
        list.last = added;
    }

    const std::vector<Substitution>& m_passes;
    std::size_t m_maxLength = 0;
    const PassesByName m_byName;
    const NameMatcher m_matcher;
    const std::size_t m_maxOccurrences;
    bool m_budgetSpent = false;
    std::optional<PieceTree> m_tree;
    std::vector<Occurrence> m_occurrences;
    std::vector<PendingList> m_pending;               // per pass
    std::array<std::vector<Index>, 2> m_anchorOfPass; // plain and quoted, kNone: not built
    std::array<LinkMatches, 2> m_linkMatches;         // of the current pass, plain and quoted
};

} // namespace

class SubstitutedText::Pieces
{
public:
    explicit Pieces(PieceTree substituted) : tree(std::move(substituted)) {}
    PieceTree tree;
};

SubstitutedText::SubstitutedText(const EscapedText& text, const std::vector<Substitution>& passes,
                                 const LengthBound& maxLengthFor)
    : m_pieces(std::make_unique<Pieces>(
          SequentialSubstitution(passes, text.sourceLength()).run(text, maxLengthFor)))
{
}

SubstitutedText::SubstitutedText(SubstitutedText&&) noexcept = default;
SubstitutedText& SubstitutedText::operator=(SubstitutedText&&) noexcept = default;
SubstitutedText::~SubstitutedText() = default;

void SubstitutedText::forEachPiece(const TextPieceSink& sink) const
{
    m_pieces->tree.forEachPiece(sink);
}

std::string SubstitutedText::text() const
{
    std::string text;
    text.reserve(m_pieces->tree.length());
    forEachPiece([&](std::string_view piece) { text.append(piece); });
    return text;
}

std::string SubstituteSequentially(std::string_view text, const std::vector<Substitution>& passes,
                                   std::size_t maxLength)
{
    return SubstitutedText(EscapedText(text), passes, [&](std::size_t) { return maxLength; })
        .text();
}

} // namespace varrow
