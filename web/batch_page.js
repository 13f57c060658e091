// Batch files in the page: the file is read, computed in a Web Worker and offered back as a
// download; it never leaves the computer. The worker runs the same WebAssembly module through the
// module's batch function:
//   runBatch(bytes, { seconds: [bool, bool, bool], format: 'plain' | 'window',
//                     output: 'as-input' | 'utf-8-bom' }, onProgress(fraction))
//     → { bytes: Uint8Array, rows, failedRows }
//   batchEncoding(bytes) → 'utf-8' | 'gb18030'   (the command line's `auto` rule)
// The page shows its batch controls only when the module has them.
import { byId } from './dom.js';

// The worker's own code. A worker cannot be loaded from a file:// page, so it is built from the
// module's text and this function's as a Blob. GB18030 is decoded by the browser (which cannot
// write it) and the result written as UTF-8 with a byte-order mark, as spreadsheets on Chinese
// systems open it.
function workerMain() {
    self.onmessage = async ({ data: { bytes, options } }) => {
        const module = await createOrvanto();
        let input = bytes;
        let output = 'as-input';
        const encoding = options.encoding === 'auto' ? module.batchEncoding(bytes) : options.encoding;
        if (encoding === 'gb18030') {
            input = new TextEncoder().encode(new TextDecoder('gb18030').decode(bytes));
            output = 'utf-8-bom';
        }
        const result = module.runBatch(input, { ...options, output }, (fraction) => {
            self.postMessage({ progress: fraction });
        });
        self.postMessage({ result }, [result.bytes.buffer]);
    };
}

function resultName(fileName) {
    const dot = fileName.lastIndexOf('.');
    const stem = dot > 0 ? fileName.slice(0, dot) : fileName;
    return `${stem}-结果.${/\.tsv$/i.test(fileName) ? 'tsv' : 'csv'}`;
}

export async function setUpBatch(calculator) {
    const module = await calculator;
    if (typeof module.runBatch !== 'function') {
        return;
    }
    const section = byId('batch');
    const chooser = byId('batch-file');
    const progress = byId('batch-progress');
    const cancel = byId('batch-cancel');
    const download = byId('batch-download');
    const status = byId('batch-status');
    const moduleText = document.getElementById('orvanto-module').textContent;
    const workerUrl = URL.createObjectURL(new Blob([moduleText, `\n(${workerMain})();`], { type: 'text/javascript' }));
    section.hidden = false;
    byId('batch-choose').hidden = false;
    byId('batch-choose').addEventListener('click', () => chooser.click());

    let worker = null;
    const finish = (text) => {
        worker?.terminate();
        worker = null;
        progress.hidden = true;
        cancel.hidden = true;
        status.textContent = text;
    };
    const start = async (file) => {
        finish('');
        download.hidden = true;
        const bytes = new Uint8Array(await file.arrayBuffer());
        const options = {
            seconds: [1, 2, 3].map((point) => byId(`batch-seconds${point}`).checked),
            format: byId('batch-format').value,
            encoding: byId('batch-encoding').value,
        };
        worker = new Worker(workerUrl);
        progress.value = 0;
        progress.hidden = false;
        cancel.hidden = false;
        status.textContent = `正在计算 ${file.name}…`;
        worker.onmessage = ({ data }) => {
            if (data.progress !== undefined) {
                progress.value = data.progress;
                return;
            }
            const { bytes: out, rows, failedRows } = data.result;
            URL.revokeObjectURL(download.href);
            download.href = URL.createObjectURL(new Blob([out]));
            download.download = resultName(file.name);
            download.hidden = false;
            finish(`共 ${rows} 行，其中 ${failedRows} 行未能算出（原因见 error 列）。`);
        };
        worker.onerror = (event) => finish(`批量计算失败：${event.message}`);
        worker.postMessage({ bytes, options }, [bytes.buffer]);
    };
    chooser.addEventListener('change', () => chooser.files[0] && start(chooser.files[0]));
    cancel.addEventListener('click', () => finish('已取消。'));
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
        event.preventDefault();
        const file = event.dataTransfer.files[0];
        if (file) {
            start(file);
        }
    });
}
