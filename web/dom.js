// The page's elements by id, and the texts of boxes by id as the module takes them: a box holding
// blanks only is an empty text, a box left blank.
export const byId = (id) => document.getElementById(id);

export const boxTexts = (ids) => Object.fromEntries(ids.map((id) => [id, byId(id).value.trim() === '' ? '' : byId(id).value]));

// Enter in the box runs `action`, as Enter in a point's box computes; an input method's Enter,
// which ends its composition, does not.
export function runOnEnter(box, action) {
    box.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && !event.isComposing) {
            event.preventDefault();
            action();
        }
    });
}
