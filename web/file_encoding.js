// What a file's first bytes and the command line's `auto` rule say of its encoding, for the batch
// file and the waypoint file alike; the batch's worker takes these functions' texts with it.

// 'utf-16le' or 'utf-16be' after a UTF-16 byte-order mark (the file's first two bytes); else
// `otherwise`.
export function utf16ByMark([first, second], otherwise) {
    if (first === 0xff && second === 0xfe) return 'utf-16le';
    if (first === 0xfe && second === 0xff) return 'utf-16be';
    return otherwise;
}

// What to say of a file whose line `line` neither UTF-8 nor GB18030 reads.
export function undetectedEncoding(line) {
    return `无法确定文件的编码：第 ${line} 行既不是有效的 UTF-8 文本，也不是有效的 GB18030 文本`;
}
