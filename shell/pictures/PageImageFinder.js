// Lists every picture the document and its same-origin frames use, one entry per distinct
// address in first-found order:
//   {url, found: [labels], width, height, alt, places, inFrame, icon, bytes}
// where width and height are the first known natural size, alt the first alt text, places the
// places that use it, inFrame whether one is inside a frame, icon whether a <link rel="icon">
// names it and bytes its decoded size (null when not known); then one {url, bytes} entry for
// every other resource whose size is known. A page may use one long data: address thousands of
// times and the whole list may be longer than the engine's longest string, so the entries stay
// in this world, under the id of this run, and are handed over in pieces by
// __varrowFindingsPiece(id, start): {"next": index after the piece, "more": whether entries
// follow it, "entries": [...]}. Returns
// {"id": id, "count": entries}, or {"error": reason} when the page's pictures cannot be listed.
// Runs in the application's isolated world, so it works with the page's scripts off and the page
// cannot see it. It only reads: it starts no fetch and changes nothing in the page.
(() => {
    // A piece's length in characters at most, unless one entry alone is longer.
    const kPieceLength = 8 * 1024 * 1024;
    if (!window.__varrowFindings) {
        window.__varrowFindings = new Map();
        window.__varrowFindingsRuns = 0;
        window.__varrowFindingsPiece = (id, start) => {
            try {
                const entries = window.__varrowFindings.get(id);
                if (!entries)
                    return JSON.stringify({error : 'the page changed while it was read'});
                const texts = [];
                let length = 0;
                let at = start;
                while (at < entries.length && (texts.length === 0 || length < kPieceLength)) {
                    const text = JSON.stringify(entries[at++]);
                    texts.push(text);
                    length += text.length;
                }
                if (at >= entries.length)
                    window.__varrowFindings.delete(id);
                return '{"next":' + at + ',"more":' + (at < entries.length) + ',"entries":[' +
                       texts.join(',') + ']}';
            } catch (e) {
                window.__varrowFindings.delete(id);
                return JSON.stringify({error : String(e)});
            }
        };
    }

    const kMaxFrameDepth = 16;
    const kSvgNamespace = 'http://www.w3.org/2000/svg';
    const kXlinkNamespace = 'http://www.w3.org/1999/xlink';
    const kLazyAddressAttributes = [ 'data-src', 'data-original', 'data-lazy-src' ];
    const kMetaPictureNames = new Set([
        'og:image', 'og:image:url', 'og:image:secure_url', 'twitter:image', 'twitter:image:src'
    ]);
    // Elements that are never rendered, so have no background of their own.
    const kUnstyled = new Set([
        'head', 'meta', 'link', 'script', 'style', 'title', 'base', 'template', 'noscript',
        'source', 'track', 'param'
    ]);
    const kFrameElements = new Set([ 'iframe', 'frame', 'object' ]);
    // A link's target is a picture when its path ends in one of these extensions, in any case.
    const kPicturePath =
        /\.(?:png|apng|jpe?g|jfif|gif|bmp|webp|avif|svg|ico|tiff?|jxl|hei[cf])$/i;
    const kLinkedSchemes = new Set([ 'http:', 'https:', 'file:' ]);
    // Quoted text as runs of plain characters between escapes, which the engine's regular
    // expressions walk far faster than one alternative a character.
    const kCssAddress =
        /url\(\s*(?:"([^"\\]*(?:\\[\s\S][^"\\]*)*)"|'([^'\\]*(?:\\[\s\S][^'\\]*)*)'|([^)\s]*))\s*\)/g;
    const kCssEscape = /\\(?:([0-9a-fA-F]{1,6})[ \t\n\r\f]?|([\s\S]))/g;

    const pictures = new Map(); // by address
    const bytes = new Map();

    function isSpace(c)
    {
        return c === ' ' || c === '\t' || c === '\n' || c === '\f' || c === '\r';
    }

    // The addresses of a srcset value's candidates, split as the HTML standard's srcset parser
    // splits them: an address runs to white space, so a comma inside it stays; commas that end
    // it are dropped; its descriptors run to the next comma outside parentheses and are dropped.
    function srcsetAddresses(text)
    {
        const found = [];
        const end = text.length;
        let at = 0;
        for (;;) {
            while (at < end && (isSpace(text[at]) || text[at] === ','))
                ++at;
            if (at >= end)
                return found;
            const start = at;
            while (at < end && !isSpace(text[at]))
                ++at;
            let address = text.slice(start, at);
            if (address.endsWith(',')) {
                address = address.replace(/,+$/, '');
            } else {
                let inParentheses = false;
                for (; at < end; ++at) {
                    const c = text[at];
                    if (inParentheses) {
                        inParentheses = c !== ')';
                    } else if (c === '(') {
                        inParentheses = true;
                    } else if (c === ',') {
                        ++at;
                        break;
                    }
                }
            }
            found.push(address);
        }
    }

    function cssUnescape(text)
    {
        return text.replace(kCssEscape, (escape, hex, character) => {
            if (hex === undefined)
                return character === '\n' ? '' : character;
            const code = parseInt(hex, 16);
            const valid = code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
            return valid ? String.fromCodePoint(code) : '\ufffd';
        });
    }

    // Whether the resolved `address` links to a picture: its path, before any query or
    // fragment, ends in a picture extension.
    function isPictureLink(address)
    {
        try {
            const url = new URL(address);
            return kLinkedSchemes.has(url.protocol) && kPicturePath.test(url.pathname);
        } catch (e) {
            return false;
        }
    }

    // Every url(...) of a CSS value, unquoted and unescaped.
    function cssAddresses(value)
    {
        if (!value || value.indexOf('url(') < 0)
            return [];
        const found = [];
        for (const match of value.matchAll(kCssAddress)) {
            const quoted = match[1] !== undefined ? match[1] : match[2];
            found.push(quoted !== undefined ? cssUnescape(quoted) : cssUnescape(match[3]));
        }
        return found;
    }

    // `text` resolved against the document's base address; empty for no address, a script
    // address or one that does not parse. Each text is resolved once a document: thousands of
    // elements may share one long data: address.
    const resolvedByDocument = new Map();
    function resolve(text, doc)
    {
        let resolved = resolvedByDocument.get(doc);
        if (!resolved)
            resolvedByDocument.set(doc, resolved = new Map());
        let address = resolved.get(text);
        if (address === undefined) {
            address = resolveOnce(text, doc);
            resolved.set(text, address);
        }
        return address;
    }

    function resolveOnce(text, doc)
    {
        const address = text.trim();
        if (!address || /^javascript:/i.test(address))
            return '';
        try {
            return new URL(address, doc.baseURI).href;
        } catch (e) {
            return '';
        }
    }

    function addByteCounts(view)
    {
        let sizes;
        try {
            sizes = view && view.__varrowResourceBytes;
        } catch (e) {
            return;
        }
        if (sizes)
            sizes.forEach((size, address) => { bytes.set(address, size); });
    }

    // The pictures one element uses. Each address counts as one place of the element, however
    // many of its attributes name it.
    function visitElement(element, doc, view, inFrame)
    {
        const here = new Set();
        let alt = '';
        let icon = false;
        const add = (address, label, width, height) => {
            if (!address)
                return;
            let picture = pictures.get(address);
            if (!picture) {
                picture = {
                    url : address,
                    found : [],
                    width : 0,
                    height : 0,
                    alt : '',
                    places : 0,
                    inFrame : false,
                    icon : false,
                    bytes : null
                };
                pictures.set(address, picture);
            }
            if (!picture.found.includes(label))
                picture.found.push(label);
            if (picture.width === 0 && picture.height === 0) {
                picture.width = width || 0;
                picture.height = height || 0;
            }
            picture.alt = picture.alt || alt;
            picture.places += here.has(address) ? 0 : 1;
            picture.inFrame = picture.inFrame || inFrame;
            picture.icon = picture.icon || icon;
            here.add(address);
        };
        const addAll = (addresses, label) => {
            for (const address of addresses)
                add(resolve(address, doc), label);
        };
        const name = element.localName;
        if (element.namespaceURI === kSvgNamespace) {
            if (name === 'image') {
                const href = element.getAttribute('href') ||
                             element.getAttributeNS(kXlinkNamespace, 'href') || '';
                add(resolve(href, doc), 'svg');
            }
        } else if (name === 'img') {
            alt = element.getAttribute('alt') || '';
            const srcset = element.getAttribute('srcset') || '';
            const parent = element.parentElement;
            // Without any address of its own, an img's src is the base address: no picture.
            if ((element.getAttribute('src') || '').trim() || srcset.trim() ||
                (parent && parent.localName === 'picture')) {
                const current = element.currentSrc;
                const decoded = element.complete && element.naturalWidth > 0;
                add(current, 'img', decoded ? element.naturalWidth : 0,
                    decoded ? element.naturalHeight : 0);
                if (element.src !== current)
                    add(element.src, 'img');
                addAll(srcsetAddresses(srcset), 'srcset');
            }
        } else if (name === 'source') {
            const parent = element.parentElement;
            if (parent && parent.localName === 'picture') {
                const img = parent.querySelector('img');
                alt = (img && img.getAttribute('alt')) || '';
                addAll(srcsetAddresses(element.getAttribute('srcset') || ''), 'picture');
            }
        } else if (name === 'input') {
            if ((element.getAttribute('type') || '').toLowerCase() === 'image') {
                alt = element.getAttribute('alt') || '';
                add(element.src, 'img');
            }
        } else if (name === 'a' || name === 'area') {
            const target = resolve(element.getAttribute('href') || '', doc);
            if (isPictureLink(target))
                add(target, 'linked');
        } else if (name === 'video') {
            add(element.poster, 'poster');
        } else if (name === 'meta') {
            const key = (element.getAttribute('property') || element.getAttribute('name') || '');
            if (kMetaPictureNames.has(key.toLowerCase()))
                add(resolve(element.getAttribute('content') || '', doc), 'meta');
        } else if (name === 'link') {
            const rels = Array.from(element.relList, (rel) => rel.toLowerCase());
            if (rels.some((rel) => rel.includes('icon'))) {
                // The engine asks for the icon of rel="icon" (and "shortcut icon") itself.
                icon = !inFrame && rels.includes('icon');
                add(resolve(element.getAttribute('href') || '', doc), 'meta');
                icon = false;
            }
        }

        if (element.hasAttributes()) {
            for (const attribute of kLazyAddressAttributes) {
                const value = element.getAttribute(attribute);
                if (value !== null)
                    add(resolve(value, doc), 'lazy');
            }
            const lazySrcset = element.getAttribute('data-srcset');
            if (lazySrcset !== null)
                addAll(srcsetAddresses(lazySrcset), 'lazy');
            const lazyBackground = element.getAttribute('data-bg');
            if (lazyBackground !== null) {
                const inCss = cssAddresses(lazyBackground);
                addAll(inCss.length ? inCss : [ lazyBackground ], 'lazy');
            }
        }

        if (view && !kUnstyled.has(name)) {
            addAll(cssAddresses(view.getComputedStyle(element).backgroundImage), 'css');
            for (const pseudo of ['::before', '::after']) {
                const style = view.getComputedStyle(element, pseudo);
                const content = style.content;
                if (content === 'none' || content === 'normal')
                    continue; // no such pseudo-element is generated
                addAll(cssAddresses(style.backgroundImage), 'css');
                addAll(cssAddresses(content), 'css');
            }
        }
    }

    // The elements under `root` in document order, open shadow trees at their hosts, and
    // same-origin frames' documents at their frame elements.
    function visitTree(root, doc, view, inFrame, depth)
    {
        for (const element of root.querySelectorAll('*')) {
            visitElement(element, doc, view, inFrame);
            if (element.shadowRoot)
                visitTree(element.shadowRoot, doc, view, inFrame, depth);
            if (kFrameElements.has(element.localName) && depth < kMaxFrameDepth) {
                let inner = null;
                try {
                    inner = element.contentDocument;
                } catch (e) {
                    inner = null; // another origin's document
                }
                if (inner)
                    visitDocument(inner, true, depth + 1);
            }
        }
    }

    function visitDocument(doc, inFrame, depth)
    {
        const view = doc.defaultView;
        addByteCounts(view);
        visitTree(doc, doc, view, inFrame, depth);
    }

    try {
        visitDocument(document, false, 0);
        const entries = [];
        for (const picture of pictures.values()) {
            if (bytes.has(picture.url)) {
                picture.bytes = bytes.get(picture.url);
                bytes.delete(picture.url);
            }
            entries.push(picture);
        }
        bytes.forEach((size, address) => entries.push({url : address, bytes : size}));
        const id = ++window.__varrowFindingsRuns;
        window.__varrowFindings.set(id, entries);
        return JSON.stringify({id : id, count : entries.length});
    } catch (e) {
        return JSON.stringify({error : String(e)});
    }
})();
