// Writes the kernel string library's Unicode 9.0 case and class tables from @unicode/unicode-9.0.0.
//
// usage: node tools/unicode/generate.mjs [--out DIR]
//
// DIR defaults to kstr/ of this checkout. Two files are written:
//   unicode_tables.h  every table, as inline constexpr data in namespace zq::ucd9; the
//                     extension and the stand-in host both include it;
//   case_tables.cpp   the exported case tables (vdz_metatable, vdz_upshift, vdz_downshift,
//                     vdz_upaux, vdz_downaux), defined once, on the extension's side.
// The output depends on nothing but the pinned data package, so a second run writes the
// same bytes; tests compare a fresh run with the committed files.

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import generalCategoryMap from '@unicode/unicode-9.0.0/General_Category/index.mjs';
import bidiClassMap from '@unicode/unicode-9.0.0/Bidi_Class/index.mjs';
import whiteSpaceCodePoints from '@unicode/unicode-9.0.0/Binary_Property/White_Space/code-points.mjs';
import simpleUpper from '@unicode/unicode-9.0.0/Simple_Case_Mapping/Uppercase/code-points.mjs';
import simpleLower from '@unicode/unicode-9.0.0/Simple_Case_Mapping/Lowercase/code-points.mjs';
import simpleTitle from '@unicode/unicode-9.0.0/Simple_Case_Mapping/Titlecase/code-points.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const REGENERATE = 'npm ci --prefix tools/unicode && node tools/unicode/generate.mjs';
const DATA_VERSION = JSON.parse(
  fs.readFileSync(path.join(here, 'node_modules/@unicode/unicode-9.0.0/package.json'), 'utf8'),
).version;
const LAST_CODE_POINT = 0x10ffff;

// ---------------------------------------------------------------------------
// General categories.

const SHORT_CATEGORY = {
  Uppercase_Letter: 'Lu', Lowercase_Letter: 'Ll', Titlecase_Letter: 'Lt', Modifier_Letter: 'Lm',
  Other_Letter: 'Lo', Nonspacing_Mark: 'Mn', Spacing_Mark: 'Mc', Enclosing_Mark: 'Me',
  Decimal_Number: 'Nd', Letter_Number: 'Nl', Other_Number: 'No', Connector_Punctuation: 'Pc',
  Dash_Punctuation: 'Pd', Open_Punctuation: 'Ps', Close_Punctuation: 'Pe',
  Initial_Punctuation: 'Pi', Final_Punctuation: 'Pf', Other_Punctuation: 'Po',
  Math_Symbol: 'Sm', Currency_Symbol: 'Sc', Modifier_Symbol: 'Sk', Other_Symbol: 'So',
  Space_Separator: 'Zs', Line_Separator: 'Zl', Paragraph_Separator: 'Zp', Control: 'Cc',
  Format: 'Cf', Surrogate: 'Cs', Private_Use: 'Co', Unassigned: 'Cn',
};

const category = new Array(LAST_CODE_POINT + 1);
for (let cp = 0; cp <= LAST_CODE_POINT; ++cp) {
  const long = generalCategoryMap.get(cp) ?? 'Unassigned';
  const short = SHORT_CATEGORY[long];
  if (short === undefined) throw new Error(`unknown general category ${long} at ${hex(cp)}`);
  category[cp] = short;
}
const whiteSpace = new Set(whiteSpaceCodePoints);

// Class bits of a code point. The bits that ASCII shows keep their meaning; the others
// give every general category a bit of its own, so that each class mask selects whole
// categories: alphabetic 0x60007 = Lu Ll Lt Lm Lo; printable 0x3FFE03FF = letters, marks,
// numbers, Zs, punctuation and symbols; punctuation 0x3F80000 = Pc..Po; control 0x3C00 =
// Zl/Zp, white-space control, Cc, Cf. Surrogates, private use and unassigned code points
// carry no bit, so they belong to no class.
const CATEGORY_BITS = {
  Lu: 0x1, Ll: 0x2, Lt: 0x4, Mn: 0x8, Mc: 0x10, Me: 0x20, Nd: 0x40, Nl: 0x80, No: 0x100,
  Zs: 0x200, Zl: 0x400, Zp: 0x400, Cc: 0x1000, Cf: 0x2000, Lm: 0x20000, Lo: 0x40000,
  Pc: 0x80000, Pd: 0x100000, Ps: 0x200000, Pe: 0x400000, Pi: 0x800000, Pf: 0x1000000,
  Po: 0x2000000, Sm: 0x4000000, Sc: 0x8000000, Sk: 0x10000000, So: 0x20000000,
  Cs: 0, Co: 0, Cn: 0,
};
const WHITE_SPACE_CONTROL_BIT = 0x800;  // a control that is also white space
const HEX_LETTER_BIT = 0x40000000;

const isHexLetter = (cp) =>
  (cp >= 0x41 && cp <= 0x46) || (cp >= 0x61 && cp <= 0x66) ||
  (cp >= 0xff21 && cp <= 0xff26) || (cp >= 0xff41 && cp <= 0xff46);

function classWord(cp) {
  let word = CATEGORY_BITS[category[cp]];
  if (category[cp] === 'Cc' && whiteSpace.has(cp)) word |= WHITE_SPACE_CONTROL_BIT;
  if (isHexLetter(cp)) word |= HEX_LETTER_BIT;
  return word >>> 0;
}

// Directional class numbers, in the order of the bidirectional algorithm's class table.
const BIDI_NUMBER = {
  Left_To_Right: 0, Right_To_Left: 1, Arabic_Letter: 2, European_Number: 3,
  European_Separator: 4, European_Terminator: 5, Arabic_Number: 6, Common_Separator: 7,
  Nonspacing_Mark: 8, Boundary_Neutral: 9, Paragraph_Separator: 10, Segment_Separator: 11,
  White_Space: 12, Other_Neutral: 13, Left_To_Right_Embedding: 14, Left_To_Right_Override: 15,
  Right_To_Left_Embedding: 16, Right_To_Left_Override: 17, Pop_Directional_Format: 18,
  Left_To_Right_Isolate: 19, Right_To_Left_Isolate: 20, First_Strong_Isolate: 21,
  Pop_Directional_Isolate: 22,
};

// ---------------------------------------------------------------------------
// Range tables.

// Sorted closed ranges of the code points `member` accepts; a range ends where membership
// ends or, when `sameRun` is given, where it says two neighbours do not belong together.
function rangesOf(member, sameRun = () => true) {
  const ranges = [];
  for (let cp = 0; cp <= LAST_CODE_POINT; ++cp) {
    if (!member(cp)) continue;
    const last = ranges[ranges.length - 1];
    if (last !== undefined && last[1] === cp - 1 && sameRun(cp - 1, cp)) {
      last[1] = cp;
    } else {
      ranges.push([cp, cp]);
    }
  }
  return ranges;
}

const inCategories = (...names) => (cp) => names.includes(category[cp]);

// Printable: every assigned code point except controls, formats, surrogates, private use
// and the line and paragraph separators. Spaces are printable.
const printable = (cp) => !['Cc', 'Cf', 'Cs', 'Co', 'Zl', 'Zp', 'Cn'].includes(category[cp]);

const RANGE_TABLES = [
  ['digitranges', 'decimal digits (Nd)', rangesOf(inCategories('Nd')), 54],
  ['xdigitranges', 'Nd plus A-F, a-f and their full-width forms',
    rangesOf((cp) => category[cp] === 'Nd' || isHexLetter(cp)), 58],
  ['lowerranges', 'lower-case letters (Ll)', rangesOf(inCategories('Ll')), 633],
  ['upperranges', 'upper-case letters (Lu)', rangesOf(inCategories('Lu')), 627],
  ['alpharanges', 'letters (Lu Ll Lt Lm Lo)', rangesOf(inCategories('Lu', 'Ll', 'Lt', 'Lm', 'Lo')), 571],
  // White space, one range per run of a single general category: U+2028 (Zl) and U+2029
  // (Zp) stay two entries. Merging every adjacent pair would give 10 ranges, not 11.
  ['spaceranges', 'white space, split where the general category changes',
    rangesOf((cp) => whiteSpace.has(cp), (a, b) => category[a] === category[b]), 11],
  ['printranges', 'printable: assigned, except Cc Cf Cs Co Zl Zp', rangesOf(printable), 641],
  ['graphranges', 'graphic: printable without Zs',
    rangesOf((cp) => printable(cp) && category[cp] !== 'Zs'), 641],
  ['punctranges', 'punctuation (Pc Pd Ps Pe Pi Pf Po)',
    rangesOf(inCategories('Pc', 'Pd', 'Ps', 'Pe', 'Pi', 'Pf', 'Po')), 168],
  ['controlranges', 'controls: Cc, Cf, Zl and Zp', rangesOf(inCategories('Cc', 'Cf', 'Zl', 'Zp')), 20],
];

// ---------------------------------------------------------------------------
// Case tables of the exported two-level form: 512 block entries for 0-0xFFFF, then
// 128 one-byte deltas for each block that has one.

// The blocks that carry deltas, in offset order.
const CASE_BLOCKS = [
  0x0000, 0x0080, 0x0100, 0x0180, 0x0200, 0x0280, 0x0380, 0x0400, 0x0480, 0x0500, 0x0580,
  0x1080, 0x1e00, 0x1e80, 0x1f00, 0x1f80, 0x2100, 0x2480, 0xff00,
];
// Mappings whose delta does not fit a signed byte; the delta byte -128 sends a lookup
// here. Lower-casing uses the same pairs reversed, except U+0053 -> U+017F.
const UPPER_AUX = [
  [0x17f, 0x53], [0x253, 0x181], [0x254, 0x186], [0x257, 0x18a], [0x258, 0x18e],
  [0x259, 0x18f], [0x25b, 0x190], [0x260, 0x193], [0x263, 0x194], [0x268, 0x197],
  [0x269, 0x196], [0x26f, 0x19c], [0x272, 0x19d], [0x283, 0x1a9], [0x288, 0x1ae],
  [0x28a, 0x1b1], [0x28b, 0x1b2], [0x292, 0x1b7], [0x1f78, 0x1ff8], [0x1f79, 0x1ff9],
];
const LOWER_AUX = UPPER_AUX.filter(([from]) => from !== 0x17f).map(([from, to]) => [to, from]);
const AUX_DELTA = -128;

// These tables are not every Unicode 9.0 mapping. Taking every simple mapping whose delta
// fits a signed byte would touch 27 blocks when upper-casing and 25 when lower-casing;
// the exported form has the 19 blocks above. Inside them a code point takes its simple
// mapping when the delta fits -127..127, the source of an auxiliary pair takes -128 (the
// pairs win over the database: U+018E lower-cases to U+0258, not U+01DD), and every other
// code point keeps 0, so U+0131 and U+00B5 stay unchanged.
function caseShift(mapping, aux) {
  const auxSources = new Set(aux.map(([from]) => from));
  const shift = [];
  for (const block of CASE_BLOCKS) {
    for (let cp = block; cp < block + 128; ++cp) {
      if (auxSources.has(cp)) {
        shift.push(AUX_DELTA);
        continue;
      }
      const target = mapping.get(cp);
      const delta = target === undefined ? 0 : target - cp;
      shift.push(delta >= -127 && delta <= 127 ? delta : 0);
    }
  }
  return shift;
}

const caseMeta = new Array(512).fill(-1);
CASE_BLOCKS.forEach((block, i) => { caseMeta[block >> 7] = i * 128; });
const upShift = caseShift(simpleUpper, UPPER_AUX);
const downShift = caseShift(simpleLower, LOWER_AUX);

// ---------------------------------------------------------------------------
// Collation extremes: each code point of 0-0xFFFF maps to the least and the greatest
// member of its case-equivalence class. The classes join a code point with its simple
// upper-, lower- and title-case mappings, closed transitively, using only pairs whose two
// code points are both below 0x10000.

const parent = Array.from({ length: 0x10000 }, (_, i) => i);
const find = (x) => {
  while (parent[x] !== x) {
    parent[x] = parent[parent[x]];
    x = parent[x];
  }
  return x;
};
for (const mapping of [simpleUpper, simpleLower, simpleTitle]) {
  for (const [from, to] of mapping) {
    if (from >= 0x10000 || to >= 0x10000) continue;
    parent[find(from)] = find(to);
  }
}
const classMin = new Map();
const classMax = new Map();
for (let cp = 0; cp < 0x10000; ++cp) {
  const root = find(cp);
  classMin.set(root, Math.min(classMin.get(root) ?? cp, cp));
  classMax.set(root, Math.max(classMax.get(root) ?? cp, cp));
}

// Two-level form: blocks in which some code point changes get 128 deltas each.
function extremeTables(extremeOf) {
  const meta = new Array(512).fill(-1);
  const shift = [];
  for (let block = 0; block < 512; ++block) {
    const deltas = [];
    for (let cp = block * 128; cp < block * 128 + 128; ++cp) deltas.push(extremeOf(cp) - cp);
    if (deltas.every((d) => d === 0)) continue;
    meta[block] = shift.length;
    shift.push(...deltas);
  }
  return { meta, shift };
}
const minTables = extremeTables((cp) => classMin.get(find(cp)));
const maxTables = extremeTables((cp) => classMax.get(find(cp)));

// ---------------------------------------------------------------------------
// The ASCII class table: per code point, the code point, its class word, its directional
// class number, a reserved word, its upper-case mapping (lower-case letters only), its
// lower-case mapping (upper-case letters only) and two reserved words.

const ansiCcl = [];
for (let cp = 0; cp < 128; ++cp) {
  const bidi = BIDI_NUMBER[bidiClassMap.get(cp)];
  if (bidi === undefined) throw new Error(`no directional class for ${hex(cp)}`);
  const upper = category[cp] === 'Ll' ? simpleUpper.get(cp) ?? 0 : 0;
  const lower = category[cp] === 'Lu' ? simpleLower.get(cp) ?? 0 : 0;
  ansiCcl.push([cp, classWord(cp), bidi, 0, upper, lower, 0, 0]);
}

// ---------------------------------------------------------------------------
// The host's character data: class words of every code point as runs, and the complete
// simple upper- and lower-case mappings of all planes.

const classWordRanges = [];
{
  let run = null;
  for (let cp = 0; cp <= LAST_CODE_POINT; ++cp) {
    const word = classWord(cp);
    if (run !== null && run[2] === word && run[1] === cp - 1) {
      run[1] = cp;
      continue;
    }
    if (word === 0) {
      run = null;
      continue;
    }
    run = [cp, cp, word];
    classWordRanges.push(run);
  }
}
const sortedPairs = (mapping) => [...mapping].sort((a, b) => a[0] - b[0]);
const upperPairs = sortedPairs(simpleUpper);
const lowerPairs = sortedPairs(simpleLower);

// ---------------------------------------------------------------------------
// Sizes the tables must have; a different count means the data or a definition changed.

function expectCount(name, actual, expected) {
  if (actual !== expected) throw new Error(`${name}: ${actual} entries, expected ${expected}`);
}
for (const [name, , ranges, expected] of RANGE_TABLES) expectCount(name, ranges.length, expected);
expectCount('vdz_min_meta mapped blocks', minTables.meta.filter((m) => m >= 0).length, 31);
expectCount('vdz_max_meta mapped blocks', maxTables.meta.filter((m) => m >= 0).length, 29);
expectCount('vdz_minshift', minTables.shift.length, 3968);
expectCount('vdz_maxshift', maxTables.shift.length, 3712);
expectCount('vdz_upshift', upShift.length, 2432);
expectCount('vdz_downshift', downShift.length, 2432);
expectCount('vdz_upaux pairs', UPPER_AUX.length, 20);
expectCount('vdz_downaux pairs', LOWER_AUX.length, 19);

// ---------------------------------------------------------------------------
// Output.

function hex(n) {
  return n < 0 ? `-0x${(-n).toString(16).toUpperCase()}` : `0x${n.toString(16).toUpperCase()}`;
}
function u32(n) {
  return `0x${(n >>> 0).toString(16).toUpperCase()}u`;
}

// Values, `perLine` to a line, indented by four spaces, separated by commas.
function rows(items, perLine) {
  const lines = [];
  for (let i = 0; i < items.length; i += perLine) {
    lines.push(`    ${items.slice(i, i + perLine).join(', ')},`);
  }
  return lines.join('\n');
}

function header(purpose) {
  return [
    `// Generated by \`${REGENERATE}\` from @unicode/unicode-9.0.0 ${DATA_VERSION}: do not edit.`,
    `// ${purpose}`,
  ].join('\n');
}

function tablesHeader() {
  const out = [];
  out.push(header('Unicode 9.0 character tables shared by the kernel string library and the host.'));
  out.push(`#pragma once

#include <cstdint>

namespace zq::ucd9 {

// A closed range of code points.
struct CodeRange {
  std::uint32_t first;
  std::uint32_t last;
};

// A closed range of code points that share one class word.
struct ClassWordRange {
  std::uint32_t first;
  std::uint32_t last;
  std::uint32_t word;
};

// A simple case mapping of one code point.
struct CaseMapping {
  std::uint32_t from;
  std::uint32_t to;
};

// Class bits of a class word.
inline constexpr std::uint32_t kUpperBit = 0x1;
inline constexpr std::uint32_t kLowerBit = 0x2;
inline constexpr std::uint32_t kDigitBit = 0x40;
inline constexpr std::uint32_t kSpaceSeparatorBit = 0x200;
inline constexpr std::uint32_t kWhiteSpaceControlBit = ${hex(WHITE_SPACE_CONTROL_BIT)};
inline constexpr std::uint32_t kControlBit = 0x1000;
inline constexpr std::uint32_t kHexLetterBit = ${hex(HEX_LETTER_BIT)};
// Bit of each general category (Zl and Zp share one); surrogates, private use and
// unassigned code points have none:
${Object.entries(CATEGORY_BITS).filter(([, b]) => b !== 0)
    .map(([c, b]) => `//   ${c} ${hex(b)}`).join('\n')}
// A control that is also white space adds ${hex(WHITE_SPACE_CONTROL_BIT)}; A-F, a-f, U+FF21-U+FF26 and
// U+FF41-U+FF46 add ${hex(HEX_LETTER_BIT)}.
`);
  for (const [name, content, ranges] of RANGE_TABLES) {
    out.push(`// ${content}: ${ranges.length} ranges.`);
    out.push(`inline constexpr CodeRange ${name}[${ranges.length}] = {`);
    out.push(rows(ranges.map(([a, b]) => `{${hex(a)}, ${hex(b)}}`), 6));
    out.push('};\n');
  }
  for (const [name, tables, blocks, what] of [
    ['min', minTables, 31, 'least'], ['max', maxTables, 29, 'greatest']]) {
    out.push(`// Block entries of the ${what} case variant: one per 128 code points of 0-0xFFFF;`);
    out.push(`// -1 for a block in which nothing changes, else its offset in vdz_${name}shift.`);
    out.push(`// 512 entries, ${blocks} blocks mapped.`);
    out.push(`inline constexpr std::int32_t vdz_${name}_meta[512] = {`);
    out.push(rows(tables.meta.map(String), 16));
    out.push('};\n');
    out.push(`// Deltas to the ${what} member of each code point's case class: ${tables.shift.length} entries.`);
    out.push(`inline constexpr std::int32_t vdz_${name}shift[${tables.shift.length}] = {`);
    out.push(rows(tables.shift.map(String), 16));
    out.push('};\n');
  }
  out.push('// ASCII class table: 128 rows of {code point, class word, directional class, reserved,');
  out.push('// upper-case mapping of a lower-case letter, lower-case mapping of an upper-case');
  out.push('// letter, reserved, reserved}. Directional classes: L 0, R 1, AL 2, EN 3, ES 4, ET 5,');
  out.push('// AN 6, CS 7, NSM 8, BN 9, B 10, S 11, WS 12, ON 13, LRE 14, LRO 15, RLE 16, RLO 17,');
  out.push('// PDF 18, LRI 19, RLI 20, FSI 21, PDI 22.');
  out.push('inline constexpr std::uint32_t ansi_ccl[128][8] = {');
  out.push(rows(ansiCcl.map((r) => `{${r.map(u32).join(', ')}}`), 1));
  out.push('};\n');
  out.push(`// Class word of every code point that has one: ${classWordRanges.length} ranges.`);
  out.push(`inline constexpr ClassWordRange class_word_ranges[${classWordRanges.length}] = {`);
  out.push(rows(classWordRanges.map(([a, b, w]) => `{${hex(a)}, ${hex(b)}, ${u32(w)}}`), 3));
  out.push('};\n');
  for (const [name, pairs, what] of [
    ['simple_upper', upperPairs, 'upper'], ['simple_lower', lowerPairs, 'lower']]) {
    out.push(`// Simple ${what}-case mappings of all planes, sorted: ${pairs.length} entries.`);
    out.push(`inline constexpr CaseMapping ${name}[${pairs.length}] = {`);
    out.push(rows(pairs.map(([a, b]) => `{${hex(a)}, ${hex(b)}}`), 6));
    out.push('};\n');
  }
  out.push('}  // namespace zq::ucd9\n');
  return out.join('\n');
}

function caseTablesSource() {
  const auxRows = (pairs) => rows([...pairs, [0, 0]].map(([a, b]) => `{${hex(a)}, ${hex(b)}}`), 6);
  return `${header('The exported two-level case tables of code points 0-0xFFFF.')}
#include <cstdint>

#include "zq/zqvnle.h"

extern "C" {

// One entry per block of 128 code points: -1 when no code point of the block changes
// case, else the offset of the block's 128 deltas in vdz_upshift and vdz_downshift.
// 512 entries, 19 blocks mapped.
const std::int16_t vdz_metatable[512] = {
${rows(caseMeta.map(String), 16)}
};

// Upper-casing deltas; -128 sends the lookup to vdz_upaux. 2432 entries.
const std::int8_t vdz_upshift[2432] = {
${rows(upShift.map(String), 16)}
};

// Lower-casing deltas; -128 sends the lookup to vdz_downaux. 2432 entries.
const std::int8_t vdz_downshift[2432] = {
${rows(downShift.map(String), 16)}
};

// {from, to} pairs of upper-casing beyond a byte's reach, ended by from 0: 20 pairs.
const std::uint32_t vdz_upaux[21][2] = {
${auxRows(UPPER_AUX)}
};

// {from, to} pairs of lower-casing beyond a byte's reach, ended by from 0: 19 pairs.
const std::uint32_t vdz_downaux[20][2] = {
${auxRows(LOWER_AUX)}
};

}  // extern "C"
`;
}

function main() {
  const args = process.argv.slice(2);
  let outDir = path.resolve(here, '../../kstr');
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--out' && i + 1 < args.length) {
      outDir = path.resolve(args[++i]);
      continue;
    }
    console.error('usage: node tools/unicode/generate.mjs [--out DIR]');
    process.exit(2);
  }
  fs.mkdirSync(outDir, { recursive: true });
  fs.writeFileSync(path.join(outDir, 'unicode_tables.h'), tablesHeader());
  fs.writeFileSync(path.join(outDir, 'case_tables.cpp'), caseTablesSource());
  console.log(`wrote unicode_tables.h and case_tables.cpp to ${outDir}`);
}

main();
