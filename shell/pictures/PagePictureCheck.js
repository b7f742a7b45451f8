// Called with a list of addresses: starts telling, for each, whether the engine decodes a picture
// from what it is answered. A failed request (an HTTP error, a refused or reset connection) or
// content that is no picture does not decode. Returns {"id": id}; __varrowPictureCheck(id) then
// gives {"done": whether every address is told, "decoded": [the addresses told to be pictures]},
// or {"error": reason}. Runs in the application's isolated world; the pictures it loads stay out
// of the document, and a picture the page has loaded comes from the engine's cache.
((addresses) => {
    if (!window.__varrowPictureChecks) {
        window.__varrowPictureChecks = new Map();
        window.__varrowPictureCheckRuns = 0;
        window.__varrowPictureCheck = (id) => {
            const check = window.__varrowPictureChecks.get(id);
            if (!check)
                return JSON.stringify({error : 'the page changed while its pictures were checked'});
            const done = check.untold === 0;
            if (done)
                window.__varrowPictureChecks.delete(id);
            return JSON.stringify({done : done, decoded : check.decoded});
        };
    }
    const id = ++window.__varrowPictureCheckRuns;
    const check = {decoded : [], untold : addresses.length};
    window.__varrowPictureChecks.set(id, check);
    addresses.forEach((address) => {
        const picture = new Image();
        picture.src = address;
        picture.decode().then(() => true, () => false).then((isPicture) => {
            if (isPicture)
                check.decoded.push(address);
            --check.untold;
        });
    });
    return JSON.stringify({id : id});
})
