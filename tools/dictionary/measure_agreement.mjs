// How often the dictionary's first reading of a character is the syllable that pinyin-pro, a
// context-aware converter, gives that character in running text.
//
//   node measure_agreement.mjs PINYIN_PRO_DIR VeRevor.dll SOURCE...
//
// PINYIN_PRO_DIR is a folder whose node_modules holds pinyin-pro. A SOURCE is a folder of HTML
// documents, a folder of gettext catalogues (.mo, whose translations are read), or
// zhlipsum-utf8.def of the LaTeX package zhlipsum. Every .html file under a folder
// is read (in sorted order), stripped of markup and of code listings, and cut into paragraphs;
// of zhlipsum the two texts in modern prose are read, 祝福 (Lu Xun's story) and 阿司匹林 (an
// encyclopaedia article). pinyin-pro converts each paragraph, and every Chinese character that
// the dictionary holds is compared with the row that the program's lookup would pick for it:
// the first row whose column 1 or 2 is that character.
//
// With SORVANI_READINGS set to a command (build/tools/choose-readings with its options), the
// program's readings come from that command instead, which chooses them in context as the
// annotate command does with --words or --sandhi. SORVANI_DISAGREEMENTS names a file that
// receives every position where the readings differ from pinyin-pro's, with its context.
import { execFileSync } from "node:child_process";
import { appendFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { lstatSync, readdirSync, readFileSync } from "node:fs";
import { join, resolve } from "node:path";

const [pinyinProDir, dictionaryFile, ...sources] = process.argv.slice(2);
if (!pinyinProDir || !dictionaryFile || sources.length === 0) {
    console.error("usage: node measure_agreement.mjs PINYIN_PRO_DIR VeRevor.dll SOURCE...");
    process.exit(2);
}
const require = createRequire(join(resolve(pinyinProDir), "package.json"));
const { pinyin } = require("pinyin-pro");
const pinyinProVersion = require("pinyin-pro/package.json").version;

// --- The dictionary file: quoted fields, four to a record, each a list of decimal tokens that
// are code page 936 codes XOR the key character at the token's position.
const KEY = "wxyzWXYZ5678%^&*";
const gbk = new TextDecoder("gbk");

function decodeField(stored) {
    if (stored === "") return "";
    const bytes = [];
    stored.split(" ").forEach((token, index) => {
        if (!/^-?\d+(\.\d*)?$/.test(token)) return;
        const code = Math.floor(Number(token)) ^ KEY.charCodeAt(index % KEY.length);
        if (code >= 0 && code <= 255) bytes.push(code);
        else if (code >= -32768 && code <= 65535) bytes.push((code >> 8) & 0xff, code & 0xff);
    });
    return gbk.decode(Uint8Array.from(bytes));
}

function readFields(text) {
    const fields = [];
    let i = 0;
    while (i < text.length) {
        while (text[i] === " ") i++;
        let value;
        if (text[i] === '"') {
            let end = text.indexOf('"', i + 1);
            if (end < 0) end = text.length;
            value = text.slice(i + 1, end);
            i = end + 1;
        } else {
            const match = /[,\r\n]/.exec(text.slice(i));
            const end = match ? i + match.index : text.length;
            value = text.slice(i, end).trimEnd();
            i = end;
        }
        fields.push(value);
        if (text[i] === ",") i++;
        while (text[i] === "\r" || text[i] === "\n") i++;
    }
    return fields;
}

const fields = readFields(readFileSync(dictionaryFile, "latin1")).map(decodeField);
const rowOf = new Map();
for (let r = 0; r + 3 < fields.length; r += 4) {
    const [key1, key2, withTones] = fields.slice(r, r + 3);
    for (const key of [key1, key2]) if (key.length === 1 && !rowOf.has(key)) rowOf.set(key, withTones);
}

// --- The documents.
function htmlFiles(dir) {
    const found = [];
    for (const name of readdirSync(dir).sort()) {
        const path = join(dir, name);
        const stat = lstatSync(path);
        if (stat.isDirectory()) found.push(...htmlFiles(path));
        else if (stat.isFile() && name.endsWith(".html")) found.push(path);
    }
    return found;
}

const ENTITIES = { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'", nbsp: " " };
function paragraphs(html) {
    const text = html
        .replace(/<(script|style|pre|code|head)\b[\s\S]*?<\/\1\s*>/gi, "\n")
        .replace(/<\/?(p|div|li|h\d|td|th|tr|br|dt|dd|title|table|ul|ol)\b[^>]*>/gi, "\n")
        .replace(/<[^>]*>/g, "")
        .replace(/&(#x[0-9a-f]+|#\d+|\w+);/gi, (all, name) => {
            if (name[0] === "#")
                return String.fromCodePoint(parseInt(name.slice(name[1] === "x" ? 2 : 1), name[1] === "x" ? 16 : 10));
            return ENTITIES[name.toLowerCase()] ?? all;
        });
    return text.split(/\n+/).map((line) => line.trim()).filter((line) => /\p{Script=Han}/u.test(line));
}

// zhlipsum defines each text as "+newzhlipsum < name >" followed by paragraphs in <...>.
function zhlipsumParagraphs(text, names) {
    const paragraphs = [];
    for (const section of text.split("+newzhlipsum").slice(1)) {
        const name = /^\s*<\s*(\w+)\s*>/.exec(section)?.[1];
        if (!names.includes(name)) continue;
        for (const [, paragraph] of section.matchAll(/<([^<>]*)>/g))
            if (/\p{Script=Han}/u.test(paragraph)) paragraphs.push(paragraph.trim());
    }
    return paragraphs;
}

// The translations of a gettext catalogue (.mo), cut into paragraphs.
function moParagraphs(bytes) {
    const magic = bytes.readUInt32LE(0);
    const read = magic === 0x950412de ? (at) => bytes.readUInt32LE(at) : (at) => bytes.readUInt32BE(at);
    const count = read(8), translations = read(16);
    const paragraphs = [];
    for (let i = 0; i < count; i++) {
        const length = read(translations + 8 * i), offset = read(translations + 8 * i + 4);
        for (const text of bytes.subarray(offset, offset + length).toString("utf8").split(/[\0\n]/))
            if (/\p{Script=Han}/u.test(text)) paragraphs.push(text.trim());
    }
    return paragraphs;
}

function moFiles(dir) {
    return readdirSync(dir).sort().filter((name) => name.endsWith(".mo")).map((name) => join(dir, name));
}

function* documents(source) {
    if (lstatSync(source).isDirectory() && moFiles(source).length > 0) {
        for (const file of moFiles(source)) yield moParagraphs(readFileSync(file));
    } else if (lstatSync(source).isDirectory()) {
        for (const file of htmlFiles(source)) yield paragraphs(readFileSync(file, "utf8"));
    } else {
        yield zhlipsumParagraphs(readFileSync(source, "utf8"), ["zhufu", "aspirin"]);
    }
}

// --- The comparison.
const plain = (syllable) => syllable.normalize("NFD").replace(/[\u0300\u0301\u0304\u030c]/g, "").normalize("NFC");

// The readings of the command for each paragraph: one array per paragraph, one entry per UTF-16
// unit ("-" where the program shows no syllable).
const readingsCommand = process.env.SORVANI_READINGS?.split(" ").filter(Boolean);
function commandReadings(paragraphs) {
    if (!readingsCommand) return null;
    const out = execFileSync(readingsCommand[0], readingsCommand.slice(1), {
        input: paragraphs.map((p) => p.replace(/[\r\n]/g, " ")).join("\n") + "\n",
        maxBuffer: 1 << 30,
    }).toString("utf8");
    return out.split("\n").slice(0, paragraphs.length).map((line) => line.split(" "));
}
const disagreements = process.env.SORVANI_DISAGREEMENTS;
if (disagreements) writeFileSync(disagreements, "");

let total = 0, sameWithTones = 0, sameInCitation = 0, sameWithoutTones = 0, notHeld = 0;
const misses = new Map();
let documentCount = 0, documentChars = 0;
for (const source of sources) {
    for (const document of documents(source)) {
        documentCount++;
        const chosen = commandReadings(document);
        document.forEach((paragraph, p) => {
            const inContext = pinyin(paragraph, { type: "all" });
            const citation = pinyin(paragraph, { type: "all", toneSandhi: false });
            // UTF-16 offset of each character, which pinyin-pro gives one item each.
            const offsets = [];
            let offset = 0;
            for (const ch of paragraph) { offsets.push(offset); offset += ch.length; }
            const aligned = offsets.length === inContext.length;
            inContext.forEach((item, index) => {
                if (!/\p{Script=Han}/u.test(item.origin)) return;
                documentChars++;
                const ours = chosen
                    ? (aligned && chosen[p][offsets[index]] !== "-" ? chosen[p][offsets[index]] : undefined)
                    : rowOf.get(item.origin);
                if (ours === undefined) { notHeld++; return; }
                if (!item.pinyin) return;
                total++;
                if (ours === item.pinyin) sameWithTones++;
                if (ours === citation[index].pinyin) sameInCitation++;
                if (plain(ours) === plain(item.pinyin)) sameWithoutTones++;
                const theirs = readingsCommand?.includes("--sandhi") ? item.pinyin : citation[index].pinyin;
                if (ours !== theirs) {
                    const key = `${item.origin} ${ours}→${theirs}`;
                    misses.set(key, (misses.get(key) ?? 0) + 1);
                    if (disagreements) {
                        const at = aligned ? offsets[index] : 0;
                        appendFileSync(disagreements, `${item.origin}\t${ours}\t${theirs}\t` +
                            `${paragraph.slice(Math.max(0, at - 8), at)}【${item.origin}】${paragraph.slice(at + 1, at + 9)}\n`);
                    }
                }
            });
        });
    }
}

const percent = (n) => ((100 * n) / total).toFixed(2) + "%";
console.log(`pinyin-pro ${pinyinProVersion}; ${documentCount} documents; ${documentChars} Chinese characters, ` +
    `${notHeld} not in the dictionary, ${total} compared`);
console.log(`same syllable with tone marks, pinyin-pro in context (tone sandhi of 一 and 不 on): ${sameWithTones} (${percent(sameWithTones)})`);
console.log(`same syllable with tone marks, pinyin-pro in context, tone sandhi off:             ${sameInCitation} (${percent(sameInCitation)})`);
console.log(`same syllable without tone marks:                                               ${sameWithoutTones} (${percent(sameWithoutTones)})`);
const top = [...misses].sort((a, b) => b[1] - a[1] || (a[0] < b[0] ? -1 : 1)).slice(0, Number(process.env.TOP ?? 15));
console.log(`most frequent differences, tone sandhi ${readingsCommand?.includes("--sandhi") ? "on" : "off"} (character ours→pinyin-pro, count):`);
for (const [key, count] of top) console.log(`  ${key} ${count}`);
